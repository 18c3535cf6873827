// What the Profile Manager decides without a window: the list's rows and the details of a
// profile, which buttons are enabled, and what Add, Delete, Modify and the moves do to the
// program's profile list. The dialog shows the answers and asks the questions.
#pragma once

#include <string>
#include <vector>

#include "transfer/profile_list.h"

namespace zelvo {

struct ProfileManagerButtons {
    bool moveUp = false;
    bool moveDown = false;
    bool add = false;
    bool remove = false;  // Delete
    bool modify = false;
    bool save = false;  // enabled while the list has unsaved changes
    bool apply = false;
};

// Works on the list it is given (the program's own list), with one selected place or none.
class ProfileManagerModel {
  public:
    explicit ProfileManagerModel(ProfileList& list) : list_(list) {}

    const ProfileList& list() const { return list_; }
    int selected() const { return selected_; }
    // Selects a place; -1, or a place outside the list, leaves none selected.
    void Select(int place);
    const Profile* SelectedProfile() const;

    ProfileManagerButtons Buttons() const;
    bool changed() const { return changed_; }
    // The list was written (or read again): nothing is left unsaved.
    void MarkSaved() { changed_ = false; }

    bool CanAdd() const;
    // Appends the profile and selects it. False (the list unchanged) when it is full.
    bool Add(Profile profile);
    // True when the list has just reached its limit: the notice after an Add or a Save Profile.
    bool AtLimit() const;
    // Removes the selected user profile; the one after it (or the new last) is selected.
    // False when nothing is selected or the selection is a system profile.
    bool RemoveSelected();
    // Puts the edited profile in the selected place. False when nothing is selected.
    bool ReplaceSelected(Profile edited);
    // Swap the selected profile with its neighbour; it stays selected. False at the ends.
    bool MoveUp();
    bool MoveDown();

  private:
    ProfileList& list_;
    int selected_ = -1;
    bool changed_ = false;
};

// A new user profile as Add and Save Profile build it: the window's state captured into
// `captured`, shown in the menu, titled "New Profile" or the first free "New ProfileN".
Profile NewUserProfile(const ProfileList& list, Profile captured);

// The description the list shows: the profile's own, or for a built-in profile without
// one the string table's description of its id.
std::string ShownDescription(const Profile& profile);

// The list's rows: place ("%d", 1-based), title, description.
std::vector<std::vector<std::string>> ProfileManagerRows(const ProfileList& list);

// The details box: one line per setting, labelled with the profile texts of the UI
// language, CR LF between lines. uiLanguageName names the profile's UI language (empty:
// shown as its LCID).
std::string ProfileDetails(const Profile& profile, const std::string& uiLanguageName);

}  // namespace zelvo
