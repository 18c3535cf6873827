// The two recent-file lists, one per edit area, kept in the registry settings store under
// "File\MRU Source" and "File\MRU Destination" as string values "1".."60", most recent
// first. Paths compare case-insensitively the way the file system does, with double-byte
// characters of the system code page left intact.
#pragma once

#include <string>
#include <vector>

#include "app/edit_area.h"

namespace zelvo {

// Values "1".."60" of a list's section.
inline constexpr int kMaximumRecentFiles = 60;
// Entries shown in a File menu when "File"/"Maximum MRU Count" is not set.
inline constexpr int kDefaultMruCount = 20;
// First command id of each area's recent-file entries: entry i (0-based) is first id + i.
inline constexpr int kSourceRecentFirstCommand = 3712;
inline constexpr int kDestinationRecentFirstCommand = 3776;

// "File\\MRU Source" or "File\\MRU Destination".
std::string RecentFilesSection(EditArea area);

// True when the two paths name the same file as the list sees it: equal but for the case
// of single-byte letters (trail bytes of double-byte characters compare exactly).
bool SameRecentPath(const std::string& a, const std::string& b);

// The area's list in order: values trimmed; empty values, files that do not exist and
// later repeats of a path are left out.
std::vector<std::string> ReadRecentFiles(EditArea area);

// Writes the list as values "1".."n" (n at most 60) with later repeats of an earlier
// entry dropped, and an empty value after the last one so older entries end there.
void WriteRecentFiles(EditArea area, const std::vector<std::string>& list);

// Puts an existing file at the head of the area's list (nothing when it is already the
// head, or when the file does not exist).
void AddRecentFile(const std::string& path, EditArea area);

// Drops every entry naming path (compared as SameRecentPath does) and writes the rest.
void RemoveRecentPath(EditArea area, const std::string& path);

// Drops entry index (0-based) of the list as ReadRecentFiles gives it and writes the rest.
// False when there is no such entry.
bool RemoveRecentFile(EditArea area, int index);

// "File"/"Maximum MRU Count": entries shown per File menu; 20 when unset, 60 when the
// stored value is below 0 or above 60.
int MaximumMruCount();
// Stores "File"/"Maximum MRU Count" as the Options dialog chose it.
void WriteMaximumMruCount(int count);

// The entries a File menu shows: the first min(list length, MaximumMruCount()).
std::vector<std::string> RecentFilesForMenu(EditArea area);

// Menu label of entry number (1-based): "&%d: %s" for 1 to 9, "%d: %s" from 10 on.
std::string RecentMenuLabel(int number, const std::string& path);

}  // namespace zelvo
