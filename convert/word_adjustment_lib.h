// Word adjustment libraries: phrase lists applied after the character conversion.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelvo {

class SettingsFile;

struct WordAdjustmentLib {
    std::string title;
    std::string description;  // lines joined by CR LF
    std::string path;
    int kind = 0;  // system libs: 1..6 (see LibKindName); 0 for custom libs
    bool isSystem = false;
    bool isG2B = true;
    bool apply = false;
    std::vector<std::string> wordsBefore;  // ascending byte order, equal words in file order
    std::vector<std::string> wordsAfter;   // parallel to wordsBefore
    int64_t fileTime = 0;                  // last-write time, seconds since 1970
    // False when the file holds items that were not read (a lib left out of word
    // adjustment is loaded without them, or the file could not be read): writing the
    // lib then would empty its file, so it is not written.
    bool itemsLoaded = true;
};

using WordAdjustmentLibList = std::vector<std::unique_ptr<WordAdjustmentLib>>;

// Where the libs and their settings live; the application derives both from the
// program folder.
struct LibFolders {
    std::string ctwaFolder;    // the system libs and the custbig / custgb folders
    std::string configFolder;  // "wag2b.ini" and "wab2g.ini"
};

// Stands for the CTWA folder in stored custom lib paths, so the program folder can move.
inline constexpr char kCtwaFolderToken[] = "%%CTWA_FOLDER%%";
// At most this many custom libs per direction.
inline constexpr int kMaxCustomLibs = 40;

// "wag2b.ini" or "wab2g.ini" in the config folder.
std::string LibSettingsPath(const LibFolders& folders, bool isG2B);

// Empties the list and rebuilds it in the order of application: base lib, phrase
// difference adjustment foundation lib, custom libs, final fix lib. Without
// loadAllItems only the items of applied libs are read.
void LoadLibList(WordAdjustmentLibList& list, bool isG2B, bool loadAllItems, const LibFolders& folders);

// For a custom lib reads "Path" and "Apply" from the settings section first, then the
// file. settings may be null when the lib is not a custom one.
bool LoadLib(WordAdjustmentLib& lib, const SettingsFile* settings, const std::string& settingsSection,
             bool isG2B, bool loadAllItems, const LibFolders& folders);

// Parses the lib's file into it. False when the file is missing or unreadable.
bool ReadLibFile(WordAdjustmentLib& lib, bool isG2B, bool loadAllItems);

// Writes the direction's settings file anew (custom libs renumbered from 1) and every
// lib file. A lib that cannot be written is reported and the others are still written;
// false when anything failed.
bool SaveLibList(WordAdjustmentLibList& list, bool isG2B, bool writeAllFiles, const LibFolders& folders);

// Stores the lib's settings in its section (none for the base lib) and writes its file.
bool SaveLib(WordAdjustmentLib& lib, const std::string& settingsSection, bool isG2B, bool writeAllFiles,
             const LibFolders& folders);

// Writes the lib file when the lib is applied or writeAllFiles is set, and its items
// are in memory; a failure is reported to the user.
bool WriteLibFile(WordAdjustmentLib& lib, bool isG2B, bool writeAllFiles);

// The lib file's text as WriteLibFile writes it.
std::string LibFileText(const WordAdjustmentLib& lib);

// The code page of a lib's words: the encoding its direction converts to (950 for G2B).
int LibCodePage(bool isG2B);

// True when two lib paths name the same file: compared without case where paths are
// (Windows), exactly elsewhere; blanks at the ends do not count.
bool SameLibPath(const std::string& a, const std::string& b);

// One item line of a lib file, "before,after": split at the first comma, which must leave
// at least two bytes before it and not be the last byte; both words trimmed, and an empty
// word before adjustment refused. Lines starting with ';' are never items.
bool ParseLibItemLine(const std::string& line, int codePage, std::string& before, std::string& after);

// Puts parallel item arrays in ascending byte order of the words before adjustment,
// equal words keeping their order.
void SortLibItems(std::vector<std::string>& before, std::vector<std::string>& after);

// Inserts an item at its sorted place, after any items with the same word before
// adjustment; returns its index.
size_t InsertLibItem(WordAdjustmentLib& lib, std::string before, std::string after);

// "base lib (gbk)" .. "final fix lib (big5)" for kinds 1..6; empty otherwise.
std::string LibKindName(int kind);

// Items of the applied libs of the list.
int CountAppliedItems(const WordAdjustmentLibList& list);

// A custom lib path as stored in the settings: a path inside the CTWA folder starts
// with the token. ExpandLibPath undoes it.
std::string StoredLibPath(const std::string& path, const std::string& ctwaFolder);
std::string ExpandLibPath(const std::string& storedPath, const std::string& ctwaFolder);

}  // namespace zelvo
