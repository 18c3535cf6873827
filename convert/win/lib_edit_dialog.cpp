#include "convert/win/lib_edit_dialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "convert/lib_editor.h"
#include "convert/lib_management.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/help.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/file_dialogs.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// The Source language selector rows of the two encodings (the language table's GBK and Big5).
constexpr int kGbkLanguageIndex = 1;
constexpr int kBig5LanguageIndex = 3;
constexpr int kMinimumColumnWidth = 60;

bool IsBaseLib(const WordAdjustmentLib& lib) {
    return lib.isSystem && (lib.kind == 1 || lib.kind == 2);
}

void ShowWarning(const std::string& text, const std::string& caption = {}) {
    MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.style = kMbOk | kMbIconWarning;
    ShowMessage(request);
}

bool LastWriteTime(const std::string& path, FILETIME& time) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    time = data.ftLastWriteTime;
    return true;
}

}  // namespace

bool StartInstanceWithShell(const std::string& program, const std::string& parameters) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string EditAsTextParameters(bool isG2B, const std::string& path) {
    return "\"[l]" + std::to_string(isG2B ? kBig5LanguageIndex : kGbkLanguageIndex) + "[p]" + path + "\"";
}

// ---- Edit Item ----

LibItemDialog::LibItemDialog(bool adding, int codePage, std::string before, std::string after)
    : Dialog(IDD_LIB_ITEM),
      adding_(adding),
      codePage_(codePage),
      before_(std::move(before)),
      after_(std::move(after)) {
    SetLabels({{IDOK, IDS_DIALOG_OK}, {IDCANCEL, IDS_DIALOG_CANCEL}});
}

bool LibItemDialog::OnInitDialog() {
    SetWindowTextIn(hwnd(), ItemOperationText(adding_ ? kAddAWord : kEditWord), UiCodePage());
    uiFont_ = UseUiFont(hwnd());
    // Line 4 and 6 of the item texts: "&Before Adjustment", "&After Adjustment".
    Control(Item(IDC_ITEM_BEFORE_LABEL)).SetText(ItemOperationText(4), UiCodePage());
    Control(Item(IDC_ITEM_AFTER_LABEL)).SetText(ItemOperationText(6), UiCodePage());
    wordFont_ = FontLike(hwnd(), CharsetOfCodePage(codePage_));
    for (auto [edit, id, text] : {std::tuple{&beforeEdit_, IDC_ITEM_BEFORE, &before_},
                                  std::tuple{&afterEdit_, IDC_ITEM_AFTER, &after_}}) {
        edit->Attach(hwnd(), id);
        edit->SetCodePage(codePage_);
        if (wordFont_) edit->SetFont(wordFont_.get());
        edit->SetBytes(*text);
    }
    return true;
}

void LibItemDialog::OnOk() {
    before_ = beforeEdit_.Bytes();
    after_ = afterEdit_.Bytes();
    End(IDOK);
}

// ---- Edit Word Adjustment Lib ----

int LibEditDialog::TemplateForUiLanguage() {
    return UiLcid() == kLcidTraditionalChinese ? IDD_LIB_EDIT_TRADITIONAL : IDD_LIB_EDIT;
}

LibEditDialog::LibEditDialog(WordAdjustmentLibList& list, size_t index, const LibFolders& folders,
                             const LibTextEditing& textEditing)
    : Dialog(TemplateForUiLanguage()),
      list_(list),
      index_(index),
      folders_(folders),
      textEditing_(textEditing) {
    if (index_ < list_.size() && list_[index_]) lib_ = *list_[index_];
    SetLabels({{IDC_WAI_TITLE_LABEL, IDS_DIALOG_PI_TITLE_T},
               {IDC_WAI_DESCRIPTION_LABEL, IDS_DIALOG_DESCRIPTION_D},
               {IDC_WAI_SYSTEM_LIB, IDS_WDAD_SYSTEM_LIB},
               {IDC_WAI_APPLY, IDS_DIALOG_WAI_APPLY_A},
               {IDC_WAI_PATH_LABEL, IDS_DIALOG_PATH_P},
               {IDC_WAI_BEFORE_LABEL, IDS_DIALOG_WAI_BEFORE_ADJUSTMENT_B},
               {IDC_WAI_AFTER_LABEL, IDS_DIALOG_WAI_AFTER_ADJUSTMENT_F},
               {IDC_WAI_SEARCH_GROUP, IDS_DIALOG_WAI_SEARCHING_WORD},
               {IDC_WAI_SEARCH_WORD_LABEL, IDS_DIALOG_WAI_SEARCH_FOR_WORD_S},
               {IDC_WAI_SEARCH_IN_LABEL, IDS_DIALOG_WAI_SEARCH_IN_I},
               {IDC_WAI_SEARCH_NOW, IDS_DIALOG_WAI_SEARCH_NOW_N},
               {IDC_WAI_SHOW_ALL, IDS_DIALOG_WAI_SHOW_ALL_DATA_H},
               {IDC_WAI_ADD_ITEM, IDS_TIP_ADD},
               {IDC_WAI_EDIT_ITEM, IDS_DIALOG_EDIT_E},
               {IDC_WAI_DELETE_ITEM, IDS_DIALOG_DELETE_D},
               {IDC_WAI_EDIT_AS_TEXT, IDS_TIP_VIEW_SOURCE},
               {IDOK, IDS_DIALOG_OK},
               {IDCANCEL, IDS_DIALOG_CANCEL}});
    BindCommand(IDC_WAI_SEARCH_NOW, &LibEditDialog::Search);
    BindCommand(IDC_WAI_SHOW_ALL, &LibEditDialog::ShowAll);
    BindCommand(IDC_WAI_ADD_ITEM, &LibEditDialog::AddItem);
    BindCommand(IDC_WAI_EDIT_ITEM, &LibEditDialog::EditItem);
    BindCommand(IDC_WAI_DELETE_ITEM, &LibEditDialog::DeleteItem);
    BindCommand(IDC_WAI_EDIT_AS_TEXT, &LibEditDialog::EditAsText);
    BindCommand(IDC_WAI_BROWSE, &LibEditDialog::Browse);
    titleEdit_.onChange = [this] { UpdateCaption(); };
    BindControl(IDC_WAI_TITLE, titleEdit_);
    items_.onSelectionChanged = [this](int) { ShowSelectedItem(); };
    items_.onDoubleClick = [this](int row) {
        if (row >= 0) EditItem();
    };
}

LibEditDialog::~LibEditDialog() {
    if (!textFile_.empty()) RemoveFile(textFile_);
}

void LibEditDialog::RelabelControls() {
    Dialog::RelabelControls();
    const std::string typeLib = LoadUiString(IDS_WDAD_TYPE_LIB);
    Control(Item(IDC_WAI_GBK_LIB))
        .SetText(ReplaceAll(typeLib, "#1", LoadUiString(IDS_WDAD_GBK)), UiCodePage());
    Control(Item(IDC_WAI_BIG5_LIB))
        .SetText(ReplaceAll(typeLib, "#1", LoadUiString(IDS_WDAD_BIG5)), UiCodePage());
}

bool LibEditDialog::OnInitDialog() {
    uiFont_ = UseUiFont(hwnd());
    const int codePage = CodePage();
    wordFont_ = FontLike(hwnd(), CharsetOfCodePage(codePage));
    // A system lib's title and description are UI strings; a custom lib's come from its file.
    const int headerCodePage = lib_.isSystem ? UiCodePage() : codePage;
    titleEdit_.Attach(hwnd(), IDC_WAI_TITLE);
    titleEdit_.SetCodePage(headerCodePage);
    descriptionEdit_.Attach(hwnd(), IDC_WAI_DESCRIPTION);
    descriptionEdit_.SetCodePage(headerCodePage);
    searchEdit_.Attach(hwnd(), IDC_WAI_SEARCH_WORD);
    searchEdit_.SetCodePage(codePage);
    std::vector<HWND> wordControls = {Item(IDC_WAI_BEFORE), Item(IDC_WAI_AFTER), searchEdit_.hwnd()};
    if (!lib_.isSystem) {
        wordControls.push_back(titleEdit_.hwnd());
        wordControls.push_back(descriptionEdit_.hwnd());
    }
    items_.Attach(hwnd(), IDC_WAI_LIST);
    items_.SetCodePage(codePage);
    wordControls.push_back(items_.hwnd());
    if (wordFont_)
        for (HWND control : wordControls) Control(control).SetFont(wordFont_.get());
    // Two columns share the width, so the list needs no horizontal scrolling.
    RECT client{};
    GetClientRect(items_.hwnd(), &client);
    const int columnWidth =
        std::max<int>(kMinimumColumnWidth, (client.right - GetSystemMetrics(SM_CXVSCROLL)) / 2);
    items_.AddColumn(ItemOperationText(3), columnWidth);
    items_.AddColumn(ItemOperationText(5), columnWidth);

    searchIn_.Attach(hwnd(), IDC_WAI_SEARCH_IN);
    for (const std::string& line : LoadUiStringLines(IDS_DIALOG_WAI_SEARCH_IN_LIST))
        searchIn_.Add(line, UiCodePage());
    int searchOption =
        ReadRegInt(kLibEditorSection, kSearchOptionKey, static_cast<int>(LibSearchIn::kAllWords));
    if (searchOption < 0 || searchOption >= searchIn_.Count())
        searchOption = static_cast<int>(LibSearchIn::kAllWords);
    searchIn_.Select(searchOption);

    ShowLib();
    return true;
}

void LibEditDialog::ShowLib() {
    titleEdit_.SetBytes(lib_.title);
    descriptionEdit_.SetBytes(lib_.description);
    UpdateCaption();
    Button(Item(IDC_WAI_GBK_LIB)).SetChecked(!lib_.isG2B);
    Button(Item(IDC_WAI_BIG5_LIB)).SetChecked(lib_.isG2B);
    Button(Item(IDC_WAI_SYSTEM_LIB)).SetChecked(lib_.isSystem);
    Button(Item(IDC_WAI_APPLY)).SetChecked(lib_.apply);
    // The base lib is always applied; the system libs keep their titles, texts and files.
    Control(Item(IDC_WAI_APPLY)).Enable(!IsBaseLib(lib_));
    titleEdit_.SetReadOnly(lib_.isSystem);
    descriptionEdit_.SetReadOnly(lib_.isSystem);
    Control(Item(IDC_WAI_PATH)).SetText(lib_.path, SystemCodePage());
    Control(Item(IDC_WAI_PATH)).Enable(!lib_.isSystem);
    Control(Item(IDC_WAI_BROWSE)).Enable(!lib_.isSystem);
    ShowItems(!filtered_, std::string::npos);
}

void LibEditDialog::UpdateCaption() {
    std::wstring caption = WidenUiText(LoadUiString(IDS_DIALOG_WAI_TITLE));
    const std::wstring title = GetWindowTextWide(titleEdit_.hwnd());
    if (!title.empty()) caption += L" - " + title;
    SetWindowTextW(hwnd(), caption.c_str());
}

void LibEditDialog::ShowItems(bool showAll, size_t select) {
    filtered_ = !showAll;
    const size_t total = std::min(lib_.wordsBefore.size(), lib_.wordsAfter.size());
    if (showAll) {
        shown_.resize(total);
        for (size_t i = 0; i < total; ++i) shown_[i] = i;
    } else {
        shown_ = SearchLibItems(lib_, searchEdit_.Bytes(), searchIn_.Selected());
    }
    std::vector<ListRow> rows;
    rows.reserve(shown_.size());
    int selectRow = -1;
    for (size_t row = 0; row < shown_.size(); ++row) {
        const size_t item = shown_[row];
        rows.push_back({{lib_.wordsBefore[item], lib_.wordsAfter[item]}, static_cast<std::intptr_t>(item)});
        if (item == select) selectRow = static_cast<int>(row);
    }
    items_.SetRows(rows);
    if (selectRow >= 0) items_.SelectRow(selectRow);
    Control(Item(IDC_WAI_STATISTICS)).SetText(LibStatisticsText(shown_.size(), total), UiCodePage());
    ShowSelectedItem();
}

size_t LibEditDialog::SelectedItem() const {
    const int row = items_.SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= shown_.size()) return std::string::npos;
    return shown_[static_cast<size_t>(row)];
}

void LibEditDialog::ShowSelectedItem() {
    const size_t item = SelectedItem();
    const bool chosen = item != std::string::npos;
    Control(Item(IDC_WAI_BEFORE)).SetText(chosen ? lib_.wordsBefore[item] : std::string(), CodePage());
    Control(Item(IDC_WAI_AFTER)).SetText(chosen ? lib_.wordsAfter[item] : std::string(), CodePage());
    Control(Item(IDC_WAI_EDIT_ITEM)).Enable(chosen);
    Control(Item(IDC_WAI_DELETE_ITEM)).Enable(chosen);
}

void LibEditDialog::Search() {
    ShowItems(false, SelectedItem());
}

void LibEditDialog::ShowAll() {
    ShowItems(true, SelectedItem());
}

void LibEditDialog::AddItem() {
    LibItemDialog item(true, CodePage(), {}, {});
    if (item.RunModal(hwnd()) != IDOK) return;
    ShowOutcome(AddLibItem(lib_, item.before(), item.after()));
}

void LibEditDialog::ShowOutcome(const ItemEditOutcome& outcome) {
    if (!outcome.accepted) {
        ShowWarning(outcome.message, outcome.caption);
        return;
    }
    ShowItems(!filtered_, outcome.index);
    // An item the search does not find is shown all the same, with every other item.
    if (SelectedItem() != outcome.index) ShowItems(true, outcome.index);
}

void LibEditDialog::EditItem() {
    const size_t index = SelectedItem();
    if (index == std::string::npos) return;
    LibItemDialog item(false, CodePage(), lib_.wordsBefore[index], lib_.wordsAfter[index]);
    if (item.RunModal(hwnd()) != IDOK) return;
    ShowOutcome(EditLibItem(lib_, index, item.before(), item.after()));
}

void LibEditDialog::DeleteItem() {
    const size_t index = SelectedItem();
    if (index == std::string::npos) return;
    MessageRequest request;
    request.text = ItemOperationText(kConfirmDeleteWord);
    request.caption = ItemOperationText(kDeleteAWord);
    request.style = kMbYesNo | kMbIconQuestion;
    if (ShowMessage(request).result != kIdYes) return;
    DeleteLibItem(lib_, index);
    const size_t total = lib_.wordsBefore.size();
    ShowItems(!filtered_, total == 0 ? std::string::npos : std::min(index, total - 1));
}

void LibEditDialog::EditAsText() {
    if (textFile_.empty()) {
        std::string folder = textEditing_.tempFolder.empty() ? TempFolderPath() : textEditing_.tempFolder;
        char name[MAX_PATH] = {};
        if (!GetTempFileNameA(folder.c_str(), "zwa", 0, name)) {
            ShowFileWriteFailure(JoinPath(folder, "zwa.tmp"));
            return;
        }
        textFile_ = name;
    }
    // Written as the lib file is, even for a lib left out of word adjustment.
    if (!WriteFileBytes(textFile_, LibFileText(lib_))) {
        ShowFileWriteFailure(textFile_);
        return;
    }
    LastWriteTime(textFile_, textFileTime_);
    SetTimer(hwnd(), kTextFileTimer, kTextFileTimerMs, nullptr);
    if (textEditing_.start)
        textEditing_.start(textEditing_.programFile, EditAsTextParameters(lib_.isG2B, textFile_));
}

void LibEditDialog::OnTimer(UINT_PTR timerId) {
    if (timerId == kTextFileTimer) CheckTextFile();
}

void LibEditDialog::CheckTextFile() {
    FILETIME now{};
    if (asking_ || textFile_.empty() || !LastWriteTime(textFile_, now) ||
        CompareFileTime(&now, &textFileTime_) == 0)
        return;
    textFileTime_ = now;
    // The question pumps messages: the timer must not ask again meanwhile.
    asking_ = true;
    MessageRequest request;
    request.text = LoadUiString(IDS_DIALOG_WAI_PROMPT_SOURCE_CHANGED);
    request.style = kMbYesNo | kMbIconQuestion;
    const bool reread = ShowMessage(request).result == kIdYes;
    asking_ = false;
    if (!reread) return;
    WordAdjustmentLib edited;
    edited.isSystem = lib_.isSystem;
    edited.kind = lib_.kind;
    edited.isG2B = lib_.isG2B;
    edited.apply = true;
    edited.path = textFile_;
    if (!ReadLibFile(edited, lib_.isG2B, true)) return;
    lib_.wordsBefore = std::move(edited.wordsBefore);
    lib_.wordsAfter = std::move(edited.wordsAfter);
    if (!lib_.isSystem) {
        lib_.title = edited.title;
        lib_.description = edited.description;
    }
    ShowLib();
}

void LibEditDialog::Browse() {
    const bool big5 = lib_.isG2B;
    const std::string folder =
        ReadLibFolder(kEditorFolderSection, kNewLibFolderKey, big5, folders_.ctwaFolder);
    std::string path = TrimBlanks(Control(Item(IDC_WAI_PATH)).Text(SystemCodePage()));
    if (!AskFileNameWithDialog(hwnd(), true, LoadUiString(IDS_DIALOG_ZELVO_FILE_TYPE), folder,
                               OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, path))
        return;
    StoreLibFolder(kEditorFolderSection, kNewLibFolderKey, big5, ParentFolder(path));
    Control(Item(IDC_WAI_PATH)).SetText(path, SystemCodePage());
}

void LibEditDialog::OnOk() {
    if (index_ >= list_.size() || !list_[index_]) {
        End(IDCANCEL);
        return;
    }
    WordAdjustmentLib& target = *list_[index_];
    const std::string title = lib_.isSystem ? target.title : TrimBlanks(titleEdit_.Bytes());
    const std::string path =
        lib_.isSystem ? target.path : TrimBlanks(Control(Item(IDC_WAI_PATH)).Text(SystemCodePage()));
    if (path.empty()) {
        ShowWarning(LoadUiString(IDS_ERROR_FILE_PATH_CAN_NOT_BE_BLANK));
        return;
    }
    if (const std::string refusal = CheckLibSave(list_, index_, title, path); !refusal.empty()) {
        ShowWarning(refusal);
        return;
    }
    if (!SameLibPath(target.path, path)) {
        std::string message;
        if (!ApplyLibPath(list_, index_, path, message)) {
            if (!message.empty()) ShowWarning(message);
            return;
        }
        if (!message.empty()) {
            MessageRequest request;
            request.text = message;
            request.style = kMbOk | kMbIconInformation;
            ShowMessage(request);
        }
    }
    if (!lib_.isSystem) {
        target.title = title;
        target.description = TrimBlanks(descriptionEdit_.Bytes());
    }
    target.apply = IsBaseLib(lib_) || Button(Item(IDC_WAI_APPLY)).IsChecked();
    target.wordsBefore = std::move(lib_.wordsBefore);
    target.wordsAfter = std::move(lib_.wordsAfter);
    End(IDOK);
}

int LibEditDialog::HelpTopic() const {
    return kHelpTopicCodeTransfer;
}

void LibEditDialog::OnDestroy() {
    KillTimer(hwnd(), kTextFileTimer);
    if (searchIn_.Selected() >= 0) WriteRegInt(kLibEditorSection, kSearchOptionKey, searchIn_.Selected());
}

bool LibEditDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message == WM_NOTIFY && items_.HandleNotify(reinterpret_cast<const NMHDR*>(lParam))) {
        result = 0;
        return true;
    }
    return false;
}

}  // namespace zelvo
