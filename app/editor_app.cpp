#include "app/editor_app.h"

#include "app/instance_limit.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {
constexpr size_t kTempPathLimit = 260;
}

EditorApp& TheApp() {
    static EditorApp app;
    return app;
}

bool EditorApp::SetUpFolders(const std::string& programPath) {
    std::string folder = ParentFolder(programPath);
    if (folder.empty()) return false;
    appFolder = folder;
    configFolder = JoinPath(appFolder, "config");
    profileFile = JoinPath(configFolder, "profile.ini");
    lastStateFile = JoinPath(configFolder, "sprofile.ini");
    uiLcid = 1033;
    uiCharset = 0;
    gbkToBig5OptionsFile = JoinPath(configFolder, "wag2b.ini");
    big5ToGbkOptionsFile = JoinPath(configFolder, "wab2g.ini");
    ctwaFolder = JoinPath(appFolder, "ctwa");
    baseLibBig5 = JoinPath(ctwaFolder, "basebig.txt");
    baseLibGbk = JoinPath(ctwaFolder, "basegb.txt");
    phraseDifferenceLibBig5 = JoinPath(ctwaFolder, "pdafbig.txt");
    phraseDifferenceLibGbk = JoinPath(ctwaFolder, "pdafgb.txt");
    finalFixLibBig5 = JoinPath(ctwaFolder, "ffbig.txt");
    finalFixLibGbk = JoinPath(ctwaFolder, "ffgb.txt");
    return true;
}

bool EditorApp::PrepareStart(const std::string& programPath, const std::string& tempPath, int userLanguageId,
                             bool ntPlatform, const StartupHooks& hooks) {
    if (hooks.countUiStrings) uiStringCount = hooks.countUiStrings();
    SetRegistryRoot(kRegistryRootPath);
    debugMode = hooks.isDebugMode && hooks.isDebugMode();

    if (hooks.charsetOfLanguage) userCharset = hooks.charsetOfLanguage(userLanguageId);
    if (!SetUpFolders(programPath)) return false;
    programFile = programPath;
    tempFolder = tempPath.substr(0, kTempPathLimit);
    if (hooks.chooseUiLanguage) hooks.chooseUiLanguage(*this);
    isNt = ntPlatform;
    userLanguageIsUiLanguage = userLanguageId == uiLcid;
    productName = LoadUiString(IDS_QXT_PRODUCT);
    companyName = LoadUiString(IDS_QXT_COMPANY);

    if (hooks.countInstances) {
        InstanceLimitProbe probe{hooks.countInstances, hooks.windowTitled};
        if (!PassInstanceLimit(isNt, productName, probe)) return false;
    }
    if (hooks.askContextMenu) hooks.askContextMenu(*this);
    // The shell extension starts whatever file this names, so every start refreshes it.
    WriteRegString("App", "Path", programFile);
    if (hooks.countLanguageTable) languageTableCount = hooks.countLanguageTable();

    if (debugMode && hooks.debugLog) hooks.debugLog("Start " + productName + " " + buildDate.text);
    buildDate = BuildDate{};
    return true;
}

void EditorApp::StoreCommandLine(const std::string& tail) {
    size_t begin = tail.find_first_not_of(' ');
    if (begin == std::string::npos) {
        commandLine.clear();
        return;
    }
    size_t end = tail.find_last_not_of(' ');
    commandLine = tail.substr(begin, end - begin + 1);
}

void ChooseUiLanguage(EditorApp& app, int userLanguageId) {
    ChooseUiLanguage(app, app.appFolder, userLanguageId);
}

}  // namespace zelvo
