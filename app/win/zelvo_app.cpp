#include "app/win/zelvo_app.h"

#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "app/editor_app.h"
#include "app/instance_limit.h"
#include "app/language_table.h"
#include "app/win/instances.h"
#include "app/win/main_window.h"
#include "platform/file_system.h"
#include "platform/system_info.h"
#include "services/debug_log.h"
#include "services/help.h"
#include "services/system_language.h"
#include "services/ui_language.h"
#include "services/ui_strings.h"
#include "services/win/help_center.h"
#include "services/win/message_box_dialog.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// COM for the shell's objects and OLE for dragging text in and out of the edit areas, whose
// drop targets register as the main window starts.
class OleScope {
  public:
    OleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (ok_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    bool ok_;
};

StartupHooks Win32StartupHooks() {
    StartupHooks hooks;
    hooks.countInstances = [] { return CountInstances(false); };
    hooks.windowTitled = [](const std::string& title) {
        return FindWindowA(nullptr, title.c_str()) != nullptr;
    };
    hooks.countUiStrings = [] { return UiStringCount(); };
    // Start-up tests debug mode before the folders are set, so the program folder is
    // derived here; the log file's folder is known once start-up writes its entry.
    hooks.isDebugMode = [] {
        bool on = IsDebugMode(ParentFolder(ProgramFilePath()));
        TheDebugLog().SetEnabled(on);
        return on;
    };
    hooks.debugLog = [](const std::string& entry) {
        TheDebugLog().SetFile(DebugLogFile(TheApp().tempFolder));
        WriteDebugLog("", "_PROGRAM_START");
        WriteDebugLog("Start-up", entry);
    };
    hooks.charsetOfLanguage = [](int languageId) { return CharsetOfLanguage(languageId); };
    hooks.chooseUiLanguage = [](EditorApp& app) {
        ChooseUiLanguage(app, UserDefaultLanguageId());
        // Windows show the UI strings through W functions, decoded in the UI language's
        // code page from here on.
        SetUiCodePage(CodePageOfCharset(app.uiCharset));
    };
    hooks.countLanguageTable = [] { return LanguageCount(); };
    // The context-menu question fills the remaining hook.
    return hooks;
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(nullptr, L"#32770", &windowClass)) return false;
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = instance;
    std::wstring name = WidenText(kMainWindowClass, 1252);
    windowClass.lpszClassName = name.c_str();
    if (RegisterClassExW(&windowClass)) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int RunZelvo(HINSTANCE instance, const std::string& commandTail) {
    Dialog::SetResourceInstance(instance);
    SetMessageService(std::make_unique<MessageBoxService>());

    EditorApp& app = TheApp();
    if (!app.PrepareStart(ProgramFilePath(), TempFolderPath(), UserDefaultLanguageId(), IsNtPlatform(),
                          Win32StartupHooks()))
        return 1;
    if (!RegisterMainWindowClass(instance)) return 1;
    SetHelpTopicOpener([folder = app.appFolder](int topic) { OpenHelp(folder, topic); });

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    OleScope ole;

    app.StoreCommandLine(commandTail);
    MainWindow window(app);
    app.mainWindow = &window;
    INT_PTR result = window.RunModal(nullptr);
    app.mainWindow = nullptr;
    WriteDebugLog("", "_PROGRAM_END");
    return result == -1 ? 1 : 0;
}

}  // namespace zelvo
