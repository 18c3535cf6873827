// Real zelvo.exe processes started from the program folder next to this test program:
// window enumeration, the window's make-up, clean exit on WM_CLOSE and "App"/"Path".
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/win/instances.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

constexpr DWORD kDeadlineMs = 20000;

std::string ProgramUnderTest() {
    // build/<tree>/tests/zelvo_win_tests.exe -> build/<tree>/dist/zelvo.exe
    return JoinPath(JoinPath(ParentFolder(ParentFolder(ProgramFilePath())), "dist"), "zelvo.exe");
}

class Instance {
  public:
    explicit Instance(const std::string& arguments) {
        std::string commandLine = "\"";
        commandLine += ProgramUnderTest();
        commandLine += '"';
        if (!arguments.empty()) commandLine += " " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::vector<char> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back('\0');
        started_ = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process_) != 0;
        if (started_) CloseHandle(process_.hThread);
    }
    ~Instance() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool started() const { return started_; }
    // The process's visible main window, waiting for it to appear.
    HWND WaitForWindow() const {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < kDeadlineMs) {
            Search search{process_.dwProcessId, nullptr};
            EnumWindows(FindOwn, reinterpret_cast<LPARAM>(&search));
            if (search.window) return search.window;
            Sleep(50);
        }
        return nullptr;
    }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit() const {
        if (WaitForSingleObject(process_.hProcess, kDeadlineMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

  private:
    struct Search {
        DWORD processId;
        HWND window;
    };
    static BOOL CALLBACK FindOwn(HWND window, LPARAM data) {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[32] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner == search->processId && IsWindowVisible(window) && std::string(name) == "Tolvane_Zelvo") {
            search->window = window;
            return FALSE;
        }
        return TRUE;
    }

    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

bool WaitForCount(int wanted) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kDeadlineMs) {
        if (CountInstances(false) == wanted) return true;
        Sleep(50);
    }
    return false;
}

std::wstring EditText(HWND control) {
    // WM_GETTEXT crosses processes; GetWindowText would not read another process's edit.
    LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

TEST(Instances, SeveralProgramsAreCountedAndClosedTogether) {
    ASSERT_TRUE(FileExists(ProgramUnderTest())) << ProgramUnderTest();
    ASSERT_EQ(CountInstances(false), 0);
    Instance first(""), second(""), third("");
    ASSERT_TRUE(first.started() && second.started() && third.started());
    ASSERT_TRUE(first.WaitForWindow() && second.WaitForWindow() && third.WaitForWindow());
    EXPECT_TRUE(WaitForCount(3));

    // closeOthers spares the window named as the caller's own.
    HWND kept = first.WaitForWindow();
    EXPECT_EQ(CountInstances(true, kept), 3);
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_EQ(third.WaitForExit(), 0u);
    EXPECT_TRUE(WaitForCount(1));
    EXPECT_TRUE(IsWindow(kept));

    PostMessageW(kept, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_TRUE(WaitForCount(0));
}

TEST(Instances, ProgramWindowIsTheEditorFrameAndRecordsItsPath) {
    std::string path = JoinPath(TempFolderPath(), "zelvo-instance-test.txt");
    ASSERT_TRUE(WriteFileBytes(path, "\xD6\xD0\xCE\xC4 Zelvo"));
    Instance program("\"[n]0[l]1[p]" + path + "\"");
    ASSERT_TRUE(program.started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);

    // The title names the product and the file shown.
    wchar_t caption[512] = {};
    GetWindowTextW(window, caption, 512);
    std::wstring title(caption);
    EXPECT_EQ(title.substr(0, 8), L"Zelvo - ");
    EXPECT_NE(title.find(L"zelvo-instance-test.txt"), std::wstring::npos) << title.size();
    HWND source = GetDlgItem(window, IDC_SOURCE_EDIT);
    HWND destination = GetDlgItem(window, IDC_DESTINATION_EDIT);
    ASSERT_NE(source, nullptr);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(EditText(source), L"\x4E2D\x6587 Zelvo");
    EXPECT_EQ(EditText(destination), L"");
    // Opened from the shell, the window takes the "Open from Explorer" profile: the Source
    // area alone, at its place for launch index 0.
    EXPECT_TRUE(IsWindowVisible(source));
    EXPECT_FALSE(IsWindowVisible(destination));
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 79);
    EXPECT_EQ(frame.top, 0);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\Tolvane\\Zelvo\\1.1.2\\App", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    char value[MAX_PATH * 2] = {};
    DWORD size = sizeof value, type = 0;
    LONG status = RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    ASSERT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(
        CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, value, -1, ProgramUnderTest().c_str(), -1),
        CSTR_EQUAL)
        << value;

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    RemoveFile(path);
}

}  // namespace
}  // namespace zelvo
