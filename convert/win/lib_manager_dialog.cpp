#include "convert/win/lib_manager_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <optional>
#include <utility>

#include "convert/lib_editor.h"
#include "convert/lib_management.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/help.h"
#include "services/message_box_layout.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/file_dialogs.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// The list view shows system lib titles (UI language) beside custom lib titles (the lib's
// encoding), so its cells are UTF-8.
constexpr int kCellCodePage = CP_UTF8;
constexpr std::intptr_t kSeparatorRow = -1;
constexpr char kSeparatorText[] = "--------------------------------";

std::string CellText(const std::string& bytes, int codePage) {
    return NarrowText(WidenText(bytes, codePage), kCellCodePage);
}

// A lib's title or description as bytes of the UI language, for a message: characters the
// UI's code page lacks cannot be shown there anyway.
std::string InUiCodePage(const std::string& bytes, int codePage) {
    return codePage == UiCodePage() ? bytes : NarrowText(WidenText(bytes, codePage), UiCodePage());
}

int HeaderCodePage(const WordAdjustmentLib& lib) {
    return lib.isSystem ? UiCodePage() : LibCodePage(lib.isG2B);
}

bool AskYesNo(const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.style = kMbYesNo | kMbIconQuestion;
    return ShowMessage(request).result == kIdYes;
}

void ShowNotice(int id) {
    MessageRequest request;
    request.text = LoadUiString(id);
    request.style = kMbOk | kMbIconWarning;
    ShowMessage(request);
}

size_t CustomLibCount(const WordAdjustmentLibList& list) {
    return list.size() >= 3 ? list.size() - 3 : 0;
}

int64_t ModifiedTime(const std::string& path) {
    FileTimes times;
    return FileExists(path) && GetFileTimes(path, times) ? times.modified : 0;
}

// Counts a window that runs while the file watch must wait.
class BusyScope {
  public:
    explicit BusyScope(int& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    int& busy_;
};

}  // namespace

LibManagerDialog::LibManagerDialog(WordAdjustmentLibList& g2b, WordAdjustmentLibList& b2g,
                                   const LibFolders& folders, const LibManagerHooks& hooks)
    : Dialog(IDD_LIB_MANAGER), g2b_(g2b), b2g_(b2g), folders_(folders), hooks_(hooks) {
    SetLabels({{IDC_WA_BIG5_LIBS, IDS_DIALOG_WA_BIG5_LIB_B},
               {IDC_WA_GBK_LIBS, IDS_DIALOG_WA_GBK_LIB_G},
               {IDC_WA_ADD, IDS_TIP_ADD},
               {IDC_WA_DELETE, IDS_DIALOG_DELETE_D},
               {IDC_WA_EDIT, IDS_DIALOG_EDIT_E},
               {IDC_WA_MOVE_UP, IDS_TIP_MOVE_UP},
               {IDC_WA_MOVE_DOWN, IDS_TIP_MOVE_DOWN},
               {IDC_WA_MERGE, IDS_DIALOG_WA_MERGE},
               {IDC_WA_HELP, IDS_TIP_HELP},
               {IDC_WA_DESCRIPTION_LABEL, IDS_DIALOG_DESCRIPTION_D},
               {IDC_WA_CHECK_CURRENT, IDS_DIALOG_WA_VALIDATION_CHECK_CURRENT},
               {IDC_WA_CHECK_ALL, IDS_DIALOG_WA_VALIDATION_CHECK_ALL},
               {IDC_WA_CHECK_CORRECT_ALL, IDS_DIALOG_WA_VALIDATION_CHECK_CORRECT_ALL},
               {IDOK, IDS_DIALOG_OK},
               {IDCANCEL, IDS_DIALOG_CANCEL}});
    BindCommand(IDC_WA_BIG5_LIBS, [this](int, int) { ShowList(true); });
    BindCommand(IDC_WA_GBK_LIBS, [this](int, int) { ShowList(false); });
    BindCommand(IDC_WA_ADD, &LibManagerDialog::Add);
    BindCommand(IDC_WA_DELETE, &LibManagerDialog::Delete);
    BindCommand(IDC_WA_EDIT, &LibManagerDialog::Edit);
    BindCommand(IDC_WA_MOVE_UP, [this](int, int) { Move(true); });
    BindCommand(IDC_WA_MOVE_DOWN, [this](int, int) { Move(false); });
    BindCommand(IDC_WA_MERGE, &LibManagerDialog::Merge);
    BindCommand(IDC_WA_CHECK_CURRENT, [this](int, int) { Check(LibCheckScope::kCurrentLib); });
    BindCommand(IDC_WA_CHECK_ALL, [this](int, int) { Check(LibCheckScope::kAllLibs); });
    BindCommand(IDC_WA_CHECK_CORRECT_ALL, [this](int, int) { Check(LibCheckScope::kCorrectAll); });
    BindCommand(IDC_WA_HELP, [this](int, int) { OpenHelpTopic(HelpTopic()); });
    list_.onSelectionChanged = [this](int) {
        if (!filling_) Refresh();
    };
    list_.onDoubleClick = [this](int row) {
        if (row >= 0) Edit();
    };
}

int LibManagerDialog::HelpTopic() const {
    return kHelpTopicCodeTransfer;
}

bool LibManagerDialog::OnInitDialog() {
    SetWindowTextIn(hwnd(), LoadUiString(IDS_DIALOG_WA_TITLE), UiCodePage());
    uiFont_ = UseUiFont(hwnd());
    big5Font_ = FontLike(hwnd(), CharsetOfCodePage(LibCodePage(true)));
    gbkFont_ = FontLike(hwnd(), CharsetOfCodePage(LibCodePage(false)));
    list_.Attach(hwnd(), IDC_WA_LIST);
    list_.SetCodePage(kCellCodePage);
    RECT client{};
    GetClientRect(list_.hwnd(), &client);
    const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    const int applyWidth = width / 7, fileWidth = width / 4;
    list_.AddColumn(LoadUiString(IDS_PROFILE_TITLE), width - applyWidth - fileWidth);
    list_.AddColumn(LoadUiString(IDS_TIP_APPLY), applyWidth);
    list_.AddColumn(LoadUiString(IDS_QXT_FILE), fileWidth);
    if (tips_.Create(hwnd()) && uiFont_) tips_.SetFont(uiFont_.get());
    tips_.SetTip(Item(IDC_WA_DELETE), LoadUiString(IDS_DIALOG_WA_DELETE_SELECTED_LIB), UiCodePage());
    tips_.SetTip(Item(IDC_WA_EDIT), LoadUiString(IDS_DIALOG_WA_EDIT_SELECTED_LIB), UiCodePage());
    ShowList(ReadRegInt(kLibEditorSection, kStartG2bKey, 1) != 0);
    SetTimer(hwnd(), kSourceTimer, kSourceTimerMs, nullptr);
    return true;
}

void LibManagerDialog::OnDestroy() {
    KillTimer(hwnd(), kSourceTimer);
    WriteRegInt(kLibEditorSection, kStartG2bKey, g2bShown_ ? 1 : 0);
}

void LibManagerDialog::OnTimer(UINT_PTR timerId) {
    if (timerId == kSourceTimer) CheckLibFiles();
}

bool LibManagerDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message == WM_NOTIFY && list_.HandleNotify(reinterpret_cast<const NMHDR*>(lParam))) {
        result = 0;
        return true;
    }
    return false;
}

void LibManagerDialog::ShowList(bool g2b) {
    g2bShown_ = g2b;
    Button(Item(IDC_WA_BIG5_LIBS)).SetChecked(g2b);
    Button(Item(IDC_WA_GBK_LIBS)).SetChecked(!g2b);
    tips_.SetTip(Item(IDC_WA_ADD),
                 ReplaceAll(LoadUiString(IDS_DIALOG_WA_ADD_NEW_TYPE_LIB), "#1", LibEncodingName(g2b)),
                 UiCodePage());
    FillList(ShownList().empty() ? std::string::npos : 0);
}

int LibManagerDialog::RowOfLib(size_t index) const {
    for (int row = 0; row < list_.RowCount(); ++row)
        if (list_.RowData(row) == static_cast<std::intptr_t>(index)) return row;
    return -1;
}

void LibManagerDialog::FillList(size_t select) {
    const WordAdjustmentLibList& libs = ShownList();
    const bool haveCustom = CustomLibCount(libs) > 0;
    const std::string yes = CellText(LoadUiString(IDS_QXT_YES), UiCodePage());
    const std::string no = CellText(LoadUiString(IDS_QXT_NO), UiCodePage());
    std::vector<ListRow> rows;
    for (size_t i = 0; i < libs.size(); ++i) {
        // Separator rows set the custom libs apart from the system libs round them.
        if (haveCustom && (i == 2 || i + 1 == libs.size())) rows.push_back({{kSeparatorText}, kSeparatorRow});
        const WordAdjustmentLib& lib = *libs[i];
        rows.push_back({{CellText(lib.title, HeaderCodePage(lib)), lib.apply ? yes : no,
                         CellText(FileNamePart(lib.path), SystemCodePage())},
                        static_cast<std::intptr_t>(i)});
    }
    filling_ = true;
    list_.SetRows(rows);
    if (select != std::string::npos) list_.SelectRow(RowOfLib(select));
    filling_ = false;
    Refresh();
}

size_t LibManagerDialog::SelectedLib() const {
    const int row = list_.SelectedRow();
    if (row < 0) return std::string::npos;
    const std::intptr_t data = list_.RowData(row);
    if (data < 0 || static_cast<size_t>(data) >= ShownList().size()) return std::string::npos;
    return static_cast<size_t>(data);
}

void LibManagerDialog::Refresh() {
    const WordAdjustmentLibList& libs = ShownList();
    const size_t index = SelectedLib();
    const bool chosen = index != std::string::npos;
    const bool custom = chosen && IsCustomLibIndex(libs, index);
    Control description(Item(IDC_WA_DESCRIPTION));
    if (chosen) {
        const WordAdjustmentLib& lib = *libs[index];
        HFONT font = lib.isSystem ? uiFont_.get() : (lib.isG2B ? big5Font_.get() : gbkFont_.get());
        if (font) description.SetFont(font, true);
        description.SetText(lib.description, HeaderCodePage(lib));
    } else {
        description.SetText({}, UiCodePage());
    }
    Control(Item(IDC_WA_ADD)).Enable(CustomLibCount(libs) < static_cast<size_t>(kMaxCustomLibs));
    Control(Item(IDC_WA_DELETE)).Enable(custom);
    Control(Item(IDC_WA_EDIT)).Enable(chosen);
    Control(Item(IDC_WA_MOVE_UP)).Enable(custom && IsCustomLibIndex(libs, index - 1));
    Control(Item(IDC_WA_MOVE_DOWN)).Enable(custom && IsCustomLibIndex(libs, index + 1));
    Control(Item(IDC_WA_MERGE)).Enable(hooks_.merge != nullptr);
    Control(Item(IDC_WA_CHECK_CURRENT)).Enable(hooks_.validate != nullptr && chosen);
    Control(Item(IDC_WA_CHECK_ALL)).Enable(hooks_.validate != nullptr);
    Control(Item(IDC_WA_CHECK_CORRECT_ALL)).Enable(hooks_.validate != nullptr);
}

void LibManagerDialog::Add() {
    WordAdjustmentLibList& libs = ShownList();
    if (CustomLibCount(libs) >= static_cast<size_t>(kMaxCustomLibs)) return;
    BusyScope busy(busy_);
    MessageRequest question;
    question.text = AddLibChoiceText();
    question.style = kMbOkCancel | kMbIconQuestion;
    const std::optional<int> choice = AskPositiveNumber(question, {}, 3);
    if (choice == 1) {
        AddFromFile();
    } else if (choice == 2) {
        size_t index = 0;
        if (!AddNewLib(libs, g2bShown_, folders_.ctwaFolder, index)) {
            ShowNotice(IDS_DIALOG_WA_PROMPT_ADD_LIB_FAILED);
            return;
        }
        FillList(index);
        EditLib(index);
    }
}

void LibManagerDialog::AddFromFile() {
    const bool g2b = g2bShown_;
    const std::string folder =
        ReadLibFolder(kEditorFolderSection, kNewLibFolderKey, g2b, folders_.ctwaFolder);
    std::string path;
    const bool chosen = hooks_.askLibFile
                            ? hooks_.askLibFile(hwnd(), folder, path)
                            : AskFileNameWithDialog(hwnd(), false, LoadUiString(IDS_DIALOG_ZELVO_FILE_TYPE),
                                                    folder, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, path);
    if (!chosen) return;
    StoreLibFolder(kEditorFolderSection, kNewLibFolderKey, g2b, ParentFolder(path));

    bool intoOther = false;
    switch (CheckLibImport(ShownList(), path, g2b)) {
        case LibImportCheck::kAlreadyInList:
            ShowNotice(IDS_DIALOG_WA_PROMPT_ADD_LIB_EXISTS);
            return;
        case LibImportCheck::kUnreadable:
            ShowNotice(IDS_DIALOG_WA_PROMPT_ADD_LIB_FAILED);
            return;
        case LibImportCheck::kLooksOther: {
            MessageRequest question;
            question.text = ImportOtherEncodingQuestion(path, g2b);
            question.style = kMbOkCancel | kMbIconQuestion;
            const std::optional<int> choice = AskPositiveNumber(question, {}, 3);
            if (choice != 1 && choice != 2) return;
            intoOther = choice == 2;
            break;
        }
        case LibImportCheck::kLooksUnknown:
            if (!AskYesNo(ImportUnknownEncodingQuestion(path, g2b))) return;
            break;
        case LibImportCheck::kLooksRight:
            break;
    }
    const bool target = intoOther ? !g2b : g2b;
    WordAdjustmentLibList& libs = target ? g2b_ : b2g_;
    size_t index = 0;
    if (intoOther && CheckLibImport(libs, path, target) == LibImportCheck::kAlreadyInList) {
        ShowNotice(IDS_DIALOG_WA_PROMPT_ADD_LIB_EXISTS);
        return;
    }
    if (!AddImportedLib(libs, path, target, index)) {
        ShowNotice(IDS_DIALOG_WA_PROMPT_ADD_LIB_FAILED);
        return;
    }
    if (target != g2bShown_) ShowList(target);
    FillList(index);
}

void LibManagerDialog::Delete() {
    WordAdjustmentLibList& libs = ShownList();
    const size_t index = SelectedLib();
    // Only custom libs go; the three system libs of a list always stay.
    if (index == std::string::npos || !IsCustomLibIndex(libs, index)) return;
    BusyScope busy(busy_);
    const WordAdjustmentLib& lib = *libs[index];
    MessageRequest request;
    request.text =
        LoadUiString(IDS_DIALOG_PM_PROMPT_DELETE_ITEM, InUiCodePage(lib.title, HeaderCodePage(lib)));
    request.style = kMbYesNo | kMbIconQuestion;
    if (ShowMessage(request).result != kIdYes) return;
    if (!DeleteCustomLib(libs, index)) return;
    FillList(IsCustomLibIndex(libs, index) ? index : index - 1);
}

void LibManagerDialog::Edit() {
    const size_t index = SelectedLib();
    if (index != std::string::npos) EditLib(index);
}

void LibManagerDialog::EditLib(size_t index) {
    WordAdjustmentLibList& libs = ShownList();
    if (index >= libs.size()) return;
    BusyScope busy(busy_);
    const std::string oldPath = libs[index]->path;
    LibEditDialog edit(libs, index, folders_, hooks_.textEditing);
    if (edit.RunModal(hwnd()) != IDOK) return;
    // A lib given another file has not been read from it: its time is not the file's.
    if (!SameLibPath(oldPath, libs[index]->path)) libs[index]->fileTime = 0;
    FillList(index);
}

void LibManagerDialog::Move(bool up) {
    size_t moved = 0;
    if (MoveCustomLib(ShownList(), SelectedLib(), up, moved)) FillList(moved);
}

void LibManagerDialog::Merge() {
    if (!hooks_.merge) return;
    BusyScope busy(busy_);
    const size_t selected = SelectedLib();
    const std::vector<std::string> written = hooks_.merge(hwnd(), g2bShown_);
    WordAdjustmentLibList& libs = ShownList();
    const std::string question = ErrorListEntry(LoadUiString(IDS_DIALOG_WA_ERROR_LIST), 4);
    for (const std::string& path : written) {
        for (auto& lib : libs) {
            if (!lib || !SameLibPath(lib->path, path)) continue;
            if (AskYesNo(FillPlaceholders(
                    question, {{"#2", InUiCodePage(lib->title, HeaderCodePage(*lib))}, {"#3", lib->path}})))
                ReadLibFile(*lib, lib->isG2B, true);
            // Answered either way: the file watch does not ask about this change again.
            lib->fileTime = ModifiedTime(lib->path);
        }
    }
    FillList(selected);
}

void LibManagerDialog::Check(LibCheckScope scope) {
    if (!hooks_.validate) return;
    const size_t selected = SelectedLib();
    if (scope == LibCheckScope::kCurrentLib && selected == std::string::npos) return;
    BusyScope busy(busy_);
    LibCheckRequest request;
    request.owner = hwnd();
    request.scope = scope;
    request.g2b = &g2b_;
    request.b2g = &b2g_;
    request.g2bShown = g2bShown_;
    request.libIndex = selected;
    hooks_.validate(request);
    FillList(selected);
}

void LibManagerDialog::CheckLibFiles() {
    if (busy_) return;
    BusyScope busy(busy_);
    bool changed = false;
    for (WordAdjustmentLibList* libs : {&g2b_, &b2g_}) {
        for (auto& lib : *libs) {
            // A lib never read from its file (new, or given another file) has nothing to compare.
            if (!lib || lib->fileTime == 0) continue;
            const int64_t modified = ModifiedTime(lib->path);
            if (modified == 0 || modified == lib->fileTime) continue;
            lib->fileTime = modified;
            const std::string text =
                FillPlaceholders(LoadUiString(IDS_DIALOG_WA_PROMPT_SOURCE_CHANGED),
                                 {{"#1", InUiCodePage(lib->title, HeaderCodePage(*lib))}, {"#2", lib->path}});
            if (AskYesNo(text)) {
                ReadLibFile(*lib, lib->isG2B, true);
                changed = true;
            }
        }
    }
    if (changed) FillList(SelectedLib());
}

bool RunLibManager(HWND owner, WordAdjustmentLibList& g2b, WordAdjustmentLibList& b2g,
                   const LibFolders& folders, const LibManagerHooks& hooks) {
    LoadLibList(g2b, true, true, folders);
    LoadLibList(b2g, false, true, folders);
    bool saved = false;
    {
        LibManagerDialog dialog(g2b, b2g, folders, hooks);
        if (dialog.RunModal(owner) == IDOK) {
            SaveLibList(g2b, true, true, folders);
            SaveLibList(b2g, false, true, folders);
            saved = true;
        }
    }
    // Changes cancelled are dropped here, and word adjustment gets the lists it reads.
    LoadLibList(g2b, true, false, folders);
    LoadLibList(b2g, false, false, folders);
    return saved;
}

}  // namespace zelvo
