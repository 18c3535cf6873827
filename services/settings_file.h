// The sectioned text settings file: "[Section]" headers, "Key = Value" lines, "true" /
// "false" booleans and multi-line values stored as "Key = {{Block}}" blocks. The whole
// file is held as logical lines and edited in place, so comments and lines this program
// does not know survive a load and save.
#pragma once

#include <string>
#include <vector>

namespace zelvo {

class SettingsFile {
  public:
    virtual ~SettingsFile() = default;

    // Clears the lines and reads the file. A missing or unreadable file is not an
    // error: the list is then empty and every getter yields its default.
    bool Load(const std::string& path);
    // Writes every line back, creating the folders of the path. False, after telling the
    // user, when the file cannot be written; the old file then stays as it was.
    bool Save(const std::string& path);
    void Clear() { lines_.clear(); }

    // Getters yield true and the value when the key is found, else false and the default.
    bool GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                   std::string& out) const;
    bool GetInt(const std::string& section, const std::string& key, int defaultValue, int& out) const;
    bool GetLong(const std::string& section, const std::string& key, long defaultValue, long& out) const;
    // True when the value contains "true" anywhere (case-sensitive).
    bool GetBool(const std::string& section, const std::string& key, bool defaultValue, bool& out) const;

    // Setters create the section when missing; false only when it cannot be made.
    bool SetString(const std::string& section, const std::string& key, const std::string& value);
    bool SetInt(const std::string& section, const std::string& key, int value);
    bool SetLong(const std::string& section, const std::string& key, long value);
    bool SetBool(const std::string& section, const std::string& key, bool value);

    // Trims every line, drops blank ones and puts one blank line before each section
    // header but the first and before a trailing group of comments.
    void Normalize();
    // Creates the folders of the path and checks that the file can be opened for
    // writing; tells the user and returns false when it cannot.
    bool PrepareFile(const std::string& path);

    // Index of the section's header and the number of lines after it up to the next
    // blank line or header; -1 and 0 when missing.
    int FindSection(const std::string& name, int& count) const;
    // As FindSection, appending the header when missing; -1 for a name holding "=".
    int EnsureSection(const std::string& name, int& count);
    // Index of the first line from start, before the next header, that holds the key;
    // -1 when none.
    int FindKey(int start, const std::string& key, std::string& value) const;

    const std::vector<std::string>& Lines() const { return lines_; }

    // Keys and values separated by "=" alone, as in Windows' own INI files. Reading only.
    bool plainIniMode = false;

  private:
    std::string Separator() const { return plainIniMode ? "=" : " = "; }
    bool SetLine(const std::string& section, const std::string& key, const std::string& line);
    std::string BuildText() const;

    std::vector<std::string> lines_;
};

// Loads the file into a temporary SettingsFile and returns the value, or the default.
std::string ReadSettingString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue);

// Tells the user that the file cannot be written (UI string 100011, an OK button).
void ShowFileWriteFailure(const std::string& path);

// Cuts text at each CR LF (a lone CR or LF does not cut). A CR LF that ends the text adds
// no empty last line. Returns the number of lines.
int SplitLines(const std::string& text, std::vector<std::string>& out);

}  // namespace zelvo
