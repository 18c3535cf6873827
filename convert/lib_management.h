// Rules shared by the lib editor, merge and validation: the numbered error entries of
// their messages, keeping a copy of a file before it is overwritten, the folders their
// file dialogs start in, and the headings of their reports in the libs' own encoding.
#pragma once

#include <string>
#include <vector>

namespace zelvo {

// Entry n (from 1) of a UI string made of "[Error1]text[Error2]text..."; empty when the
// entry is missing.
std::string ErrorListEntry(const std::string& errorList, int n);

// Copies an existing file to a free name beside it ("name.bak", then "name.bak2", ...)
// before it is overwritten. True with copyPath empty when there is no file to keep; false
// when the copy could not be made (then the file must not be overwritten).
bool KeepCopyOfFile(const std::string& path, std::string& copyPath);

// The folder a lib file dialog starts in: the registry string key (a format holding "%s",
// filled with "Big5" or "GBK") of section, by default the CTWA subfolder "custbig" or
// "custgb". StoreLibFolder writes the folder chosen back.
std::string ReadLibFolder(const std::string& section, const std::string& keyFormat, bool isBig5,
                          const std::string& ctwaFolder);
void StoreLibFolder(const std::string& section, const std::string& keyFormat, bool isBig5,
                    const std::string& folder);

// Sections and keys of those folders.
inline constexpr char kMergeFolderSection[] = "Merge WA";
inline constexpr char kEditorFolderSection[] = "WA Item";
inline constexpr char kNewLibFolderKey[] = "Last New WA Folder %s";
inline constexpr char kTargetLibFolderKey[] = "Last Target WA Folder %s";

// "GBK" or "Big5" as the UI names the encodings.
std::string LibEncodingName(bool isBig5);

// Line n of a UI string of several lines, in the language a report about words in
// codePage is shown in: English under the English UI, otherwise the Chinese column
// written in that code page, so headings and words of one details text share an encoding.
std::string ReportHeading(int id, int line, int codePage);

// The problems of one word in a report's details: "\t%s (%d)\r\n".
std::string WordCountLine(const std::string& word, int count);

// The items of one word before adjustment, adjacent in sorted arrays, from start: where
// they end, how many are equal to the word itself, and the different other words after
// adjustment in their order with how often each comes.
struct WordAdjustments {
    size_t end = 0;
    int selfItems = 0;
    std::vector<std::string> afters;
    std::vector<int> counts;
};
WordAdjustments AdjustmentsOfWord(const std::vector<std::string>& before,
                                  const std::vector<std::string>& after, size_t start);

}  // namespace zelvo
