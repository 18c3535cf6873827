// The profile list of profile.ini: sections "Profile 1", "Profile 2", ... in list order,
// the five built-in system profiles always among them.
#pragma once

#include <string>
#include <vector>

#include "transfer/profile.h"

namespace zelvo {

// The list holds at most this many profiles, system ones included.
inline constexpr int kMaximumProfileCount = 60;

using ProfileList = std::vector<Profile>;

// "Profile 1" for place 1 (1-based).
std::string ProfileSectionName(int place);

// The built-in system profile of an id 1..5 (Standard, Full, Sticky Note, Verify by Lines,
// Open from Explorer), titled in the current UI language, with an empty description.
// Fields the built-in table leaves open keep their defaults. An id outside 1..5 gives the
// default record.
Profile SystemProfile(int systemId, const ProfileContext& context);

// Title of a system profile in the current UI language; empty outside 1..5.
std::string SystemProfileTitle(int systemId);

// Empties the list and reads "Profile 1", "Profile 2", ... up to the first section that
// is missing or has no title, at most 60. System profiles take the title of their id in
// the current UI language. Every id 1..5 that no system profile of the file carries is
// then appended from the built-in table, in id order.
void LoadProfileList(ProfileList& list, const ProfileFiles& files, const ProfileContext& context);

// Replaces profile.ini by the list, each profile in section "Profile %d" of its place.
// The file is built in memory and saved at once, so a file that cannot be written is
// reported once and the previous file stays whole. The result of the save.
bool SaveProfileList(ProfileList& list, const ProfileFiles& files);

// The title a new profile gets: "New Profile" in the current UI language, or the first of
// "New Profile1", "New Profile2", ... that no profile of the list carries (byte compare).
std::string NewProfileTitle(const ProfileList& list);

}  // namespace zelvo
