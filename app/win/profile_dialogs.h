// The profile dialogs: the Profile Manager (dialog 144) over the program's profile list,
// the Edit Profile dialog (145) over one profile, and the background dialog that keeps a
// profile's background fields. What they decide comes from app/profile_manager_model.h and
// app/profile_form.h; the window they describe is reached through a ProfileWindowHost.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/profile_form.h"
#include "app/profile_manager_model.h"
#include "platform/win/handles.h"
#include "services/help.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/list_view.h"
#include "services/win/toolkit/tooltips.h"
#include "transfer/profile_list.h"

namespace zelvo {

// A UI language as the profile dialogs list it.
struct UiLanguageChoice {
    std::string name;
    int lcid = 0;
    int nameCodePage = 0;  // the code page the name is written in
};

// What the profile dialogs need of the main window.
struct ProfileWindowHost {
    // Fills the record's window part from the window (CaptureWindowState), every window
    // group switched on; title, description, "Appear" and background stay.
    std::function<void(Profile&)> capture;
    // Applies a record to the window as its switches say.
    std::function<void(Profile&)> apply;
    ScreenSize screen;
    // The program's state a record is read and defaulted against.
    ProfileContext context;
    std::vector<UiLanguageChoice> uiLanguages;
    std::string defaultImagePath;  // the background picture Reset goes back to
};

// The background dialog: the picture, its display mode and the colour. Works on a copy of
// the record's background fields; after OK, record() holds the choice.
class BackgroundDialog : public Dialog {
  public:
    BackgroundDialog(const Profile& record, std::string defaultImagePath);

    const Profile& record() const { return record_; }

  protected:
    bool OnInitDialog() override;
    void OnOk() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void Show();
    void PickColor();
    void Browse();

    Profile record_;
    std::string defaultImagePath_;
    Button imageOn_;
    UniqueFont font_;
    UniqueGdiObject<HBRUSH> colorBrush_;
};

// Dialog 145 over one profile. `list` and `place` say which titles clash (place -1: a
// profile not in the list yet). Preview applies the fields to the window; however the
// dialog closes, a window changed by a preview gets the state it had before it back.
class EditProfileDialog : public Dialog {
  public:
    EditProfileDialog(Profile profile, const ProfileList& list, int place, const ProfileWindowHost& host);

    // After OK: the edited record.
    const Profile& profile() const { return profile_; }

  protected:
    bool OnInitDialog() override;
    void OnOk() override;
    void OnCancel() override { Finish(IDCANCEL); }
    void OnClose() override { Finish(IDCANCEL); }

  private:
    std::vector<int> UiLanguageLcids() const;
    void ShowForm(const ProfileForm& form);
    ProfileForm ReadForm() const;
    // Enabling, the Destination's share and the checks, after every change.
    void Refresh();
    void OnFieldChange(int id, int notifyCode);
    void ApplyCurrent();
    void Preview();
    void ConfigureBackground();
    void Finish(INT_PTR result);

    Profile profile_;
    const ProfileList& list_;
    int place_;
    const ProfileWindowHost& host_;
    bool filling_ = false;
    bool previewed_ = false;
    Profile kept_;  // the window's state before the first preview
    std::vector<std::string> failures_;
    UniqueFont font_;
};

// Dialog 144 over the program's profile list itself. OK saves the list; Cancel and the
// close box read it again from the file, throwing the changes away.
class ProfileManagerDialog : public Dialog {
  public:
    ProfileManagerDialog(ProfileList& list, const ProfileFiles& files, const ProfileWindowHost& host);

  protected:
    bool OnInitDialog() override;
    void OnOk() override;
    void OnCancel() override;
    int HelpTopic() const override { return kHelpTopicLayout; }
    void OnClose() override { OnCancel(); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void FillList(int select);
    void Refresh();
    void OnSelect(int row);
    void Add();
    void Delete();
    void Modify();
    void Save();
    void Apply();
    std::string UiLanguageName(int lcid) const;

    ProfileList& list_;
    ProfileFiles files_;
    const ProfileWindowHost& host_;
    ProfileManagerModel model_;
    ListView listView_;
    ToolTips tips_;
    UniqueFont font_;
    bool filling_ = false;
};

// Save Profile: a new user profile from the window's state, edited in dialog 145 and, on
// OK, appended to the list and the list saved at once (with the notice when the list is
// then full). False when it was cancelled or the list is full.
bool SaveNewProfile(HWND owner, ProfileList& list, const ProfileFiles& files, const ProfileWindowHost& host);

}  // namespace zelvo
