// The language pack reader: an arbitrary pack file listed from a Language folder, chosen as
// the UI language and read for every text of the string table.
#include <cstdlib>
#include <string>

#include "app/editor_app.h"
#include "services/ui_language.h"
#include "services/ui_strings.h"
#include "fuzz_support.h"
#include "platform/file_system.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string folder = JoinPath(fuzz::ScratchFolder(), "Language");
    CreateFolder(folder);
    const std::string pack = JoinPath(folder, "pack.ini");
    if (!WriteFileBytes(pack, std::string(reinterpret_cast<const char*>(data), size))) std::abort();

    EditorApp app;
    BuildUiLanguageList(app, folder);
    if (app.uiLanguageNames.size() != app.uiLanguageLcids.size() ||
        app.uiLanguageNames.size() != app.uiLanguagePackFiles.size() || app.uiLanguageNames.size() > 4)
        std::abort();
    UseLanguagePack(pack);
    SetUiLcid(0x0411);
    // Each look-up reads the pack anew: the three Info texts and a spread of the others.
    const auto table = UiStringTable();
    for (size_t i = 0; i < table.size(); i += i < 3 ? 1 : table.size() / 12 + 1) {
        LoadUiString(table[i].id, "a", "b", "c");
        LoadUiStringLines(table[i].id);
    }
    UseLanguagePack("");
    SetUiLcid(kLcidEnglish);
    return 0;
}
