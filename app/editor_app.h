// The application object: folders and files derived from the program file's location,
// the UI language fields, the instance check and the portable steps of start-up. The
// Win32 side (app/win/zelvo_app.cpp) registers the window class and runs the main window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "services/ui_language.h"

namespace zelvo {

class MainWindow;
class FindReplaceDialog;

// The version the program reports; also the last part of its registry root and the
// marker of the release notes shown once per version.
inline constexpr const char* kProductVersion = "1.1.2";

struct BuildDate {
    int year = 2004;
    int month = 4;
    int day = 24;
    std::string text = "2004-4-24";
};

// The parts of start-up that other pieces of the program own. An empty hook leaves its
// step out and the fields it would set at their initial values.
struct StartupHooks {
    std::function<int()> countUiStrings;                     // records of the UI string table
    std::function<bool()> isDebugMode;                       // the debug-mode test
    std::function<void(const std::string& entry)> debugLog;  // written only in debug mode
    std::function<int(int languageId)> charsetOfLanguage;    // Windows character set of a language id
    std::function<void(class EditorApp&)> chooseUiLanguage;  // sets uiLcid, uiCharset, uiLanguagePackFile
    std::function<void(class EditorApp&)> askContextMenu;    // the context-menu question
    std::function<int()> countLanguageTable;                 // rows of the language selectors
    // Window enumeration for the instance limit.
    std::function<int()> countInstances;
    std::function<bool(const std::string& title)> windowTitled;
};

// The UI language fields (list, current language, product names) come from UiLanguageState.
class EditorApp : public UiLanguageState {
  public:
    std::string appFolder;
    std::string configFolder;
    std::string tempFolder;
    std::string profileFile;
    std::string lastStateFile;
    std::string gbkToBig5OptionsFile;
    std::string big5ToGbkOptionsFile;
    std::string ctwaFolder;
    std::string baseLibBig5;
    std::string baseLibGbk;
    std::string phraseDifferenceLibBig5;
    std::string phraseDifferenceLibGbk;
    std::string finalFixLibBig5;
    std::string finalFixLibGbk;

    int userCharset = 0;
    bool isNt = true;
    BuildDate buildDate;
    int uiStringCount = 0;
    int languageTableCount = 0;
    std::string commandLine;  // trimmed of blanks at both ends; cleared once consumed
    MainWindow* mainWindow = nullptr;
    FindReplaceDialog* sourceFindDialog = nullptr;
    FindReplaceDialog* destinationFindDialog = nullptr;
    bool debugMode = false;
    std::string programFile;  // full path of the program file, as "App"/"Path" records it

    // Derives the folders and files from the program file's path (steps 5.2-5.3). False
    // when the path has no folder part.
    bool SetUpFolders(const std::string& programPath);

    // The portable steps of start-up, in order: registry root, debug test, folders,
    // temporary folder, UI language, platform, product names, instance limit,
    // context-menu question, "App"/"Path", language table count. False when start-up
    // must end (folder set-up failed or the instance limit said no).
    bool PrepareStart(const std::string& programPath, const std::string& tempPath, int userLanguageId,
                      bool ntPlatform, const StartupHooks& hooks);

    // Keeps the command-line tail with blanks trimmed at both ends.
    void StoreCommandLine(const std::string& tail);
};

// The one application object of the running program.
EditorApp& TheApp();

// Lists the UI languages of the app's program folder and chooses the start language.
void ChooseUiLanguage(EditorApp& app, int userLanguageId);

}  // namespace zelvo
