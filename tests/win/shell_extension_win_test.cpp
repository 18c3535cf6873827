// pellum.dll as the shell uses it: registered by regsvr32, created through COM, handed a
// data object holding CF_HDROP, asked for its menu item and invoked, starting real zelvo.exe
// processes from the built program folder. Also the program's own registration of it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/win/handles.h"
#include "services/shell_extension.h"
#include "services/win/shell_registration.h"
#include "services/win/toolkit/win_text.h"
#include "tests/win/drop_data_object.h"
#include "tests/win/timed_steps.h"

namespace zelvo {
namespace {

const CLSID kClassId = {0x777A8F13, 0xDB24, 0x4D86, {0x89, 0x95, 0xC2, 0x0B, 0x9C, 0xE9, 0xC3, 0xAB}};
constexpr WORD kCheckBoxId = 5117;  // the message box's "show next time" box
constexpr WORD kOkSlotId = 5112;    // the one button of an OK box

std::string DistFolder() {
    return JoinPath(ParentFolder(ParentFolder(ProgramFilePath())), "dist");
}
std::string LibraryPath() {
    return JoinPath(DistFolder(), "pellum.dll");
}

// Runs a program of the system folder to its end; its exit code, -1 when it did not start.
int RunAndWait(const std::string& commandLine) {
    std::string buffer = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM data) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"Tolvane_Zelvo") reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

std::vector<HWND> MainWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Closes the started programs and waits for their processes to end.
void CloseMainWindows() {
    for (HWND window : MainWindows()) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (process) {
            WaitForSingleObject(process, 20000);
            CloseHandle(process);
        }
    }
}

using DllCanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

// Settings of the program that the library reads; each test puts back what it changed.
class SavedSetting {
  public:
    SavedSetting(std::string section, std::string key) : section_(std::move(section)), key_(std::move(key)) {
        integer_ = CurrentRegistryBackend().ReadInt(RegistryRoot(), section_, key_);
        text_ = CurrentRegistryBackend().ReadString(RegistryRoot(), section_, key_);
    }
    ~SavedSetting() {
        std::string key = RegistryRoot() + "\\" + section_;
        UniqueKey handle;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, handle.Out()) == ERROR_SUCCESS)
            RegDeleteValueA(handle.get(), key_.c_str());
        if (integer_) WriteRegInt(section_, key_, static_cast<int>(*integer_));
        if (text_) WriteRegString(section_, key_, *text_);
    }

  private:
    std::string section_, key_;
    std::optional<uint32_t> integer_;
    std::optional<std::string> text_;
};

class ShellExtensionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetRegistryRoot(kRegistryRootPath);
        ASSERT_TRUE(FileExists(LibraryPath())) << LibraryPath();
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        folder_ = JoinPath(TempFolderPath(), "zelvo-shell-" + std::to_string(GetTickCount()));
        CreateFolder(folder_);
    }
    void TearDown() override {
        CloseMainWindows();
        CoUninitialize();
        SetShellExtension(false, DistFolder());
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = JoinPath(folder_, name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    // The object as Explorer gets it, through the registration regsvr32 wrote.
    IShellExtInit* Create() {
        EXPECT_EQ(RunAndWait("regsvr32 /s \"" + LibraryPath() + "\""), 0);
        IShellExtInit* init = nullptr;
        HRESULT created = CoCreateInstance(kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                           reinterpret_cast<void**>(&init));
        EXPECT_EQ(created, S_OK);
        return init;
    }

    static HRESULT CanUnloadNow() {
        HMODULE library = GetModuleHandleA(LibraryPath().c_str());
        if (!library) return E_FAIL;
        auto canUnload = reinterpret_cast<DllCanUnloadNowFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
        return canUnload ? canUnload() : E_FAIL;
    }

    std::string folder_;
    SavedSetting path_{"App", "Path"};
    SavedSetting lcid_{"Shell", "LCID"};
    SavedSetting noPromptBin_{"Shell", "No Prompt Bin"};
    SavedSetting tried_{"Shell", "Tried"};
};

TEST_F(ShellExtensionTest, RegsvrWritesTheKeysAndUnregisteringRemovesThem) {
    ASSERT_EQ(RunAndWait("regsvr32 /s \"" + LibraryPath() + "\""), 0);
    EXPECT_EQ(ReadKeyString(HKEY_CLASSES_ROOT, kShellClassKey, nullptr).value_or("-"), "Edit with Zelvo");
    EXPECT_EQ(lstrcmpiA(ReadKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr).value_or("-").c_str(),
                        LibraryPath().c_str()),
              0);
    EXPECT_EQ(ReadKeyString(HKEY_CLASSES_ROOT, kShellServerKey, "ThreadingModel").value_or("-"), "Apartment");
    EXPECT_EQ(ReadKeyString(HKEY_CLASSES_ROOT, kShellHandlerKey, nullptr).value_or("-"),
              "{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}");
    EXPECT_EQ(ReadKeyString(HKEY_LOCAL_MACHINE, kShellApprovedKey, "{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}")
                  .value_or("-"),
              "Edit with Zelvo");
    EXPECT_TRUE(IsShellExtensionRegistered());

    ASSERT_EQ(RunAndWait("regsvr32 /s /u \"" + LibraryPath() + "\""), 0);
    EXPECT_FALSE(ReadKeyString(HKEY_CLASSES_ROOT, kShellClassKey, nullptr));
    EXPECT_FALSE(ReadKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr));
    EXPECT_FALSE(ReadKeyString(HKEY_CLASSES_ROOT, kShellHandlerKey, nullptr));
    EXPECT_FALSE(
        ReadKeyString(HKEY_LOCAL_MACHINE, kShellApprovedKey, "{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}"));
    EXPECT_FALSE(IsShellExtensionRegistered());
}

TEST_F(ShellExtensionTest, TwoTextFilesAndABinaryOneGetOneItemAWarningOnceAndTwoStarts) {
    const std::string first = Write("first text.txt", "first text\r\n");
    const std::string binary = Write("program.bin", std::string("MZ\x90\0\x03\0", 6));
    const std::string second = Write("second.txt", "more text\r\n");
    WriteRegString("App", "Path", JoinPath(DistFolder(), "zelvo.exe"));
    WriteRegInt("Shell", "LCID", 1033);
    WriteRegInt("Shell", "No Prompt Bin", 0);
    WriteRegInt("Shell", "Tried", 1);
    ASSERT_TRUE(MainWindows().empty()) << "a main window is open already";

    IShellExtInit* init = Create();
    ASSERT_NE(init, nullptr);
    DropDataObject data({first, binary, second});
    ASSERT_EQ(init->Initialize(nullptr, &data, nullptr), S_OK);
    EXPECT_EQ(data.handedOut, 1);
    IContextMenu* menu = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    EXPECT_EQ(CanUnloadNow(), S_FALSE);

    HMENU popup = CreatePopupMenu();
    EXPECT_EQ(menu->QueryContextMenu(popup, 0, 100, 200, CMF_DEFAULTONLY),
              MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
    EXPECT_EQ(GetMenuItemCount(popup), 0);
    EXPECT_EQ(menu->QueryContextMenu(popup, 0, 100, 200, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    ASSERT_EQ(GetMenuItemCount(popup), 1);
    char text[64] = {};
    GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Edit with Zelvo");
    EXPECT_EQ(GetMenuItemID(popup, 0), 100u);
    DestroyMenu(popup);

    char verb[32] = {};
    EXPECT_EQ(menu->GetCommandString(0, GCS_VERBA, nullptr, verb, sizeof verb), S_OK);
    EXPECT_STREQ(verb, "Operation1");

    // The warning comes first; its box is cleared, so it does not come again.
    int warnings = 0;
    bool checkedWhenShown = false;
    std::wstring warningText;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.lpVerb = MAKEINTRESOURCEA(0);
    invoke.nShow = SW_SHOW;
    {
        TimedSteps answer(L"Zelvo", {[&](HWND box) {
                              ++warnings;
                              checkedWhenShown = IsDlgButtonChecked(box, kCheckBoxId) == BST_CHECKED;
                              warningText = GetWindowTextWide(GetDlgItem(box, 5115));
                              CheckDlgButton(box, kCheckBoxId, BST_UNCHECKED);
                              PostMessageW(box, WM_COMMAND, MAKEWPARAM(kOkSlotId, BN_CLICKED), 0);
                          }},
                          [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
        EXPECT_EQ(menu->InvokeCommand(&invoke), S_OK);
    }
    EXPECT_EQ(warnings, 1);
    EXPECT_TRUE(checkedWhenShown);
    EXPECT_EQ(warningText, L"Zelvo will only open text file(s), binary file(s) will not be processed.");
    EXPECT_EQ(ReadRegInt("Shell", "No Prompt Bin", 0), 1);

    // Two programs, one per text file, in launch order.
    std::vector<HWND> windows;
    for (int i = 0; i < 200 && windows.size() < 2; ++i) {
        Sleep(100);
        windows = MainWindows();
    }
    std::vector<std::wstring> titles;
    auto opened = [&](const std::wstring& name) {
        return std::count_if(titles.begin(), titles.end(), [&](const std::wstring& title) {
            return title.find(name) != std::wstring::npos;
        });
    };
    // Each window names its file once it has opened it.
    for (int i = 0; i < 300; ++i) {
        titles.clear();
        for (HWND window : windows) titles.push_back(GetWindowTextWide(window));
        if (opened(L"first text.txt") && opened(L"second.txt")) break;
        Sleep(100);
    }
    ASSERT_EQ(MainWindows().size(), 2u);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(opened(L"first text.txt"), 1) << titles[0] << " | " << titles[1];
    EXPECT_EQ(opened(L"second.txt"), 1) << titles[0] << " | " << titles[1];
    EXPECT_EQ(opened(L"program.bin"), 0);
    CloseMainWindows();

    // A second command: no warning now, and a program path that is gone starts nothing.
    WriteRegString("App", "Path", JoinPath(folder_, "missing.exe"));
    TimedSteps none(L"Zelvo", {[&](HWND box) {
                        ++warnings;
                        PostMessageW(box, WM_COMMAND, MAKEWPARAM(kOkSlotId, BN_CLICKED), 0);
                    }});
    EXPECT_EQ(menu->InvokeCommand(&invoke), S_OK);
    MSG message;
    for (int i = 0; i < 10; ++i) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(50);
    }
    EXPECT_EQ(warnings, 1);
    EXPECT_TRUE(MainWindows().empty());

    // A string verb does nothing.
    invoke.lpVerb = "open";
    EXPECT_EQ(menu->InvokeCommand(&invoke), S_OK);

    menu->Release();
    init->Release();
    EXPECT_EQ(data.references(), 1) << "the data object is released with the object";
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST_F(ShellExtensionTest, BinaryOnlyMissingFolderAndTooLongNamesAddNoItem) {
    const std::string binary = Write("only.bin", std::string("\0\1\2", 3));
    WriteRegInt("Shell", "LCID", 1033);
    IShellExtInit* init = Create();
    ASSERT_NE(init, nullptr);
    IContextMenu* menu = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);

    // The object holds each data object until the next Initialize, so all of them outlive it.
    std::vector<std::unique_ptr<DropDataObject>> selections;
    selections.push_back(std::make_unique<DropDataObject>(std::vector<std::string>{binary}));
    selections.push_back(std::make_unique<DropDataObject>(
        std::vector<std::string>{JoinPath(folder_, "missing.txt"), folder_}));
    selections.push_back(std::make_unique<DropDataObject>(
        std::vector<std::string>{JoinPath(folder_, std::string(300, 'x') + ".txt")}));
    for (size_t i = 0; i < selections.size(); ++i) {
        ASSERT_EQ(init->Initialize(nullptr, selections[i].get(), nullptr), S_OK);
        HMENU popup = CreatePopupMenu();
        EXPECT_EQ(menu->QueryContextMenu(popup, 0, 1, 10, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0))
            << "selection " << i;
        EXPECT_EQ(GetMenuItemCount(popup), 0);
        DestroyMenu(popup);
    }
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_FAIL);
    menu->Release();
    init->Release();
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST_F(ShellExtensionTest, TheMenuTextFollowsTheStoredUiLanguage) {
    const std::string text = Write("a.txt", "text");
    WriteRegInt("Shell", "LCID", 2052);
    IShellExtInit* init = Create();
    ASSERT_NE(init, nullptr);
    IContextMenu* menu = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    DropDataObject data({text});
    ASSERT_EQ(init->Initialize(nullptr, &data, nullptr), S_OK);
    HMENU popup = CreatePopupMenu();
    ASSERT_EQ(menu->QueryContextMenu(popup, 0, 1, 10, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    char label[64] = {};
    GetMenuStringA(popup, 0, label, sizeof label, MF_BYPOSITION);
    // The GBK bytes of the Simplified Chinese text, as the menu keeps them.
    EXPECT_STREQ(label, "\xD3\xC3 Zelvo \xB1\xE0\xBC\xAD");
    DestroyMenu(popup);
    menu->Release();
    init->Release();
}

TEST_F(ShellExtensionTest, SetShellExtensionRegistersOnlyWithTheLibraryInTheProgramFolder) {
    WriteRegInt("Shell", "Tried", 0);
    SetShellExtension(true, folder_);  // no pellum.dll there
    EXPECT_FALSE(IsShellExtensionRegistered());
    EXPECT_EQ(ReadRegInt("Shell", "Tried", 0), 1);
    EXPECT_EQ(ReadKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr).value_or(""),
              folder_ + "\\pellum.dll");

    // An entry left by an earlier regsvr32 would hide what SetShellExtension writes.
    {
        UniqueKey approved;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellApprovedKey, 0, KEY_SET_VALUE, approved.Out()) ==
            ERROR_SUCCESS)
            RegDeleteValueA(approved.get(), kShellExtensionClassId);
    }
    SetShellExtension(true, DistFolder());
    EXPECT_TRUE(IsShellExtensionRegistered());
    EXPECT_FALSE(
        ReadKeyString(HKEY_LOCAL_MACHINE, kShellApprovedKey, "{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}"))
        << "the program does not write the Approved entry";

    // A server path in capital letters still counts; another threading model does not.
    std::string upper = DistFolder() + "\\PELLUM.DLL";
    ASSERT_TRUE(WriteKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr, upper));
    EXPECT_TRUE(IsShellExtensionRegistered());
    ASSERT_TRUE(WriteKeyString(HKEY_CLASSES_ROOT, kShellServerKey, "ThreadingModel", "Both"));
    EXPECT_FALSE(IsShellExtensionRegistered());
    ASSERT_TRUE(WriteKeyString(HKEY_CLASSES_ROOT, kShellServerKey, "ThreadingModel", "apartment"));
    EXPECT_TRUE(IsShellExtensionRegistered());
    // The class id is compared exactly.
    ASSERT_TRUE(WriteKeyString(HKEY_CLASSES_ROOT, kShellHandlerKey, nullptr,
                               "{777a8f13-db24-4d86-8995-c20b9ce9c3ab}"));
    EXPECT_FALSE(IsShellExtensionRegistered());
}

TEST_F(ShellExtensionTest, DisablingRemovesEveryHandlerWithOurClassIdAndKeepsOthers) {
    SetShellExtension(true, DistFolder());
    const std::string parent = kShellHandlerParentKey;
    ASSERT_TRUE(
        WriteKeyString(HKEY_CLASSES_ROOT, parent + "\\Another Name", nullptr, kShellExtensionClassId));
    ASSERT_TRUE(WriteKeyString(HKEY_CLASSES_ROOT, parent + "\\Another Name\\Below", nullptr, "x"));
    ASSERT_TRUE(WriteKeyString(HKEY_CLASSES_ROOT, parent + "\\Zelvo Test Foreign", nullptr,
                               "{00000000-1111-2222-3333-444444444444}"));
    WriteRegInt("Shell", "Tried", 0);

    SetShellExtension(false, DistFolder());
    EXPECT_FALSE(IsShellExtensionRegistered());
    EXPECT_FALSE(ReadKeyString(HKEY_CLASSES_ROOT, kShellHandlerKey, nullptr));
    EXPECT_FALSE(ReadKeyString(HKEY_CLASSES_ROOT, parent + "\\Another Name", nullptr));
    EXPECT_FALSE(ReadKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr));
    EXPECT_FALSE(ReadKeyString(HKEY_CLASSES_ROOT, kShellClassKey, nullptr));
    EXPECT_EQ(ReadKeyString(HKEY_CLASSES_ROOT, parent + "\\Zelvo Test Foreign", nullptr).value_or(""),
              "{00000000-1111-2222-3333-444444444444}");
    EXPECT_EQ(ReadRegInt("Shell", "Tried", 0), 1);
    DeleteKeyTree(HKEY_CLASSES_ROOT, parent + "\\Zelvo Test Foreign");
}

}  // namespace
}  // namespace zelvo
