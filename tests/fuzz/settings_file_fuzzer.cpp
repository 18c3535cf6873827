// The settings file reader and writer on arbitrary file contents: every section and key the
// file names is read, one value is set, the file is tidied, saved and read again, and the
// value set must read back.
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "services/multibyte.h"
#include "services/settings_file.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader input(data, size);
    const bool plainIni = input.Byte() & 1;
    const std::string path = fuzz::WriteScratch("settings.ini", input.Rest());

    SettingsFile file;
    file.plainIniMode = plainIni;
    file.Load(path);
    std::string section;
    for (const std::string& line : file.Lines()) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            int count = 0;
            file.FindSection(section, count);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = TrimBlanks(line.substr(0, equals));
        std::string text;
        int number = 0;
        long wide = 0;
        bool flag = false;
        file.GetString(section, key, "", text);
        file.GetInt(section, key, 0, number);
        file.GetLong(section, key, 0, wide);
        file.GetBool(section, key, false, flag);
    }
    if (plainIni) return 0;  // that form is read only

    // A value set in a section the file may already hold survives tidying, saving and
    // reading back.
    const std::string wanted = "fuzz value";
    if (!file.SetString("Fuzz Section", "Fuzz Key", wanted)) return 0;
    file.Normalize();
    if (!file.Save(path)) std::abort();
    SettingsFile again;
    again.Load(path);
    std::string got;
    if (!again.GetString("Fuzz Section", "Fuzz Key", "", got) || got != wanted) std::abort();
    return 0;
}
