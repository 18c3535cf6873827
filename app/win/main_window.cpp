#include "app/win/main_window.h"

#include "app/command_line.h"
#include "app/editor_app.h"
#include "app/win/win_text.h"
#include "convert/charset_detector.h"
#include "platform/file_system.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/multibyte.h"

namespace zelvo {

namespace {

constexpr UINT_PTR kCaretTimer = 1;
constexpr UINT kCaretDelayMs = 10;
// Language selector rows whose text is GBK and Big5.
constexpr int kGbkLanguageIndex = 1;
constexpr int kBig5LanguageIndex = 3;

int CodePageOfLanguageIndex(int index) {
    if (index == kGbkLanguageIndex) return kCodePageGbk;
    if (index == kBig5LanguageIndex) return kCodePageBig5;
    return SystemCodePage();
}

}  // namespace

MainWindow::MainWindow(EditorApp& app) : Dialog(IDD_MAIN_WINDOW), app_(app) {}

bool MainWindow::OnInitDialog() {
    sourceCodePage_ = SystemCodePage();
    destinationCodePage_ = SystemCodePage();
    // The edit controls' default limit is 32K characters: texts are often larger.
    SendDlgItemMessageW(hwnd(), IDC_SOURCE_EDIT, EM_SETLIMITTEXT, 0, 0);
    SendDlgItemMessageW(hwnd(), IDC_DESTINATION_EDIT, EM_SETLIMITTEXT, 0, 0);
    LayOut();
    if (!app_.commandLine.empty()) OpenFromCommandLine();
    // Focus set here rather than by the dialog manager, which would select all the text.
    SetFocus(Item(IDC_SOURCE_EDIT));
    return false;
}

bool MainWindow::OpenFromCommandLine() {
    std::string argument = app_.commandLine;
    auto request = ParseCommandLine(argument, SystemCodePage());
    if (!request || !FileExists(request->path)) return false;
    // The cascade by launch index belongs to the view settings; until they apply it the
    // index is only kept.
    launchIndex_ = request->launchIndex;

    std::string bytes;
    if (!ReadFileBytes(request->path, bytes)) return false;
    const std::string& path = request->path;
    int index = ChooseSourceLanguageIndex(request->languageIndex, [&path] { return GuessFileCharset(path); });
    if (index >= 0) sourceLanguageIndex_ = index;
    sourceCodePage_ = CodePageOfLanguageIndex(sourceLanguageIndex_);
    SetSourceFontForCodePage(sourceCodePage_);
    SetWindowTextIn(Item(IDC_SOURCE_EDIT), bytes, sourceCodePage_);
    app_.commandLine.clear();
    SetTimer(hwnd(), kCaretTimer, kCaretDelayMs, nullptr);
    return true;
}

std::string MainWindow::SourceText() const {
    return GetWindowTextIn(Item(IDC_SOURCE_EDIT), sourceCodePage_);
}

std::string MainWindow::DestinationText() const {
    return GetWindowTextIn(Item(IDC_DESTINATION_EDIT), destinationCodePage_);
}

void MainWindow::SetSourceFontForCodePage(int codePage) {
    BYTE charset = codePage == kCodePageGbk    ? GB2312_CHARSET
                   : codePage == kCodePageBig5 ? CHINESEBIG5_CHARSET
                                               : 0;
    if (charset == 0) return;
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    LOGFONTW face{};
    if (!dialogFont || !GetObjectW(dialogFont, sizeof face, &face)) face.lfHeight = -12;
    LOGFONTW wanted{};
    wanted.lfHeight = face.lfHeight;
    wanted.lfCharSet = charset;
    HFONT font = CreateFontIndirectW(&wanted);
    if (!font) return;
    SendMessageW(Item(IDC_SOURCE_EDIT), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    sourceFont_.Reset(font);  // the old font is no longer selected into the control
}

void MainWindow::OnTimer(UINT_PTR timerId) {
    if (timerId != kCaretTimer) return;
    KillTimer(hwnd(), kCaretTimer);
    ShowCaretAtStart();
}

void MainWindow::ShowCaretAtStart() {
    HWND source = Item(IDC_SOURCE_EDIT);
    HWND edit = IsWindowVisible(source) ? source : Item(IDC_DESTINATION_EDIT);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void MainWindow::OnSize(UINT type, int width, int height) {
    if (type != SIZE_MINIMIZED) LayOut();
}

void MainWindow::LayOut() {
    RECT client;
    GetClientRect(hwnd(), &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    int split = height / 2;
    MoveWindow(Item(IDC_SOURCE_EDIT), 0, 0, width, split, TRUE);
    MoveWindow(Item(IDC_DESTINATION_EDIT), 0, split, width, height - split, TRUE);
}

void MainWindow::OnClose() {
    End(IDOK);
}

}  // namespace zelvo
