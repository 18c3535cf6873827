#include "convert/win/lib_merge_dialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include <utility>

#include "convert/lib_management.h"
#include "platform/file_system.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/file_dialogs.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

bool ListHolds(const std::vector<std::string>& paths, const std::string& path) {
    for (const std::string& candidate : paths)
        if (SameLibPath(candidate, path)) return true;
    return false;
}

}  // namespace

std::vector<std::string> LibPathsOf(const WordAdjustmentLibList& list) {
    std::vector<std::string> paths;
    for (const auto& lib : list)
        if (lib) paths.push_back(lib->path);
    return paths;
}

std::vector<std::string> RunMergeDialog(HWND owner, bool big5Libs, const WordAdjustmentLibList& g2b,
                                        const WordAdjustmentLibList& b2g, const LibFolders& folders) {
    LibMergeContext context{folders.ctwaFolder, LibPathsOf(g2b), LibPathsOf(b2g)};
    LibMergeDialog dialog(big5Libs, std::move(context));
    dialog.RunModal(owner);
    return dialog.Written();
}

LibMergeDialog::LibMergeDialog(bool big5Libs, LibMergeContext context)
    : Dialog(IDD_MERGE_LIBS), big5Libs_(big5Libs), context_(std::move(context)) {
    SetLabels({{IDC_MWA_LIST_GROUP, IDS_DIALOG_MWA_GROUP_LIST},
               {IDC_MWA_BIG5, IDS_DIALOG_MWA_BIG5_LIB_B},
               {IDC_MWA_GBK, IDS_DIALOG_MWA_GBK_LIB_G},
               {IDC_MWA_NEW_LIB_LABEL, IDS_DIALOG_MWA_ADD_A_NEW_LIB_A},
               {IDC_MWA_OPEN_NEW_LIB, IDS_TIP_OPEN},
               {IDC_MWA_ADD, IDS_TIP_ADD},
               {IDC_MWA_REMOVE, IDS_TIP_DELETE},
               {IDC_MWA_OPEN_SOURCE, IDS_TIP_OPEN},
               {IDC_MWA_TARGET_GROUP, IDS_DIALOG_MWA_TARGET_LIB_L},
               {IDC_MWA_TARGET_LABEL, IDS_QXT_FILE},
               {IDC_MWA_OPEN_TARGET, IDS_TIP_OPEN},
               {IDC_MWA_TITLE_LABEL, IDS_DIALOG_PI_TITLE_T},
               {IDC_MWA_DESCRIPTION_LABEL, IDS_DIALOG_DESCRIPTION_D},
               {IDC_MWA_MERGE, IDS_TIP_MERGE},
               {IDCANCEL, IDS_TIP_CLOSE}});
    BindCommand(IDC_MWA_ADD, &LibMergeDialog::OnAdd);
    BindCommand(IDC_MWA_REMOVE, &LibMergeDialog::OnRemove);
    BindCommand(IDC_MWA_NEW_LIB_BROWSE, &LibMergeDialog::OnBrowseSource);
    BindCommand(IDC_MWA_TARGET_BROWSE, &LibMergeDialog::OnBrowseTarget);
    BindCommand(IDC_MWA_MERGE, &LibMergeDialog::OnMerge);
    BindCommand(IDC_MWA_BIG5, &LibMergeDialog::OnEncodingChange);
    BindCommand(IDC_MWA_GBK, &LibMergeDialog::OnEncodingChange);
    BindCommand(IDC_MWA_OPEN_NEW_LIB, [this](int, int) { Open(PathIn(IDC_MWA_NEW_LIB)); });
    BindCommand(IDC_MWA_OPEN_TARGET, [this](int, int) { Open(PathIn(IDC_MWA_TARGET)); });
    BindCommand(IDC_MWA_OPEN_SOURCE, [this](int, int) {
        const int selected = sources_.Selected();
        if (selected >= 0) Open(sources_.TextAt(selected, SystemCodePage()));
    });
    BindCommand(IDC_MWA_TARGET, [this](int, int code) {
        if (code == EN_CHANGE) UpdateMerge();
    });
    BindCommand(IDC_MWA_SOURCES, [this](int, int code) {
        if (code == LBN_SELCHANGE) UpdateMerge();
    });
}

bool LibMergeDialog::OnInitDialog() {
    Control(hwnd()).SetText(LoadUiString(IDS_DIALOG_MWA_TITLE), UiCodePage());
    uiFont_ = UseUiFont(hwnd());
    sources_.Attach(hwnd(), IDC_MWA_SOURCES);
    Button(Item(big5Libs_ ? IDC_MWA_BIG5 : IDC_MWA_GBK)).SetChecked(true);
    shownCodePage_ = WordsCodePage();
    // Title and description are written into the lib, in the encoding of its words.
    wordsFont_ = FontLike(Item(IDC_MWA_TITLE), CharsetOfCodePage(shownCodePage_));
    if (wordsFont_) {
        Control(Item(IDC_MWA_TITLE)).SetFont(wordsFont_.get());
        Control(Item(IDC_MWA_DESCRIPTION)).SetFont(wordsFont_.get());
    }
    UpdateMerge();
    return true;
}

bool LibMergeDialog::IsBig5() const {
    return Button(Item(IDC_MWA_BIG5)).IsChecked();
}

int LibMergeDialog::WordsCodePage() const {
    return LibCodePage(IsBig5());
}

std::string LibMergeDialog::PathIn(int id) const {
    return TrimBlanks(Control(Item(id)).Text(SystemCodePage()));
}

std::vector<std::string> LibMergeDialog::Sources() const {
    std::vector<std::string> paths;
    for (int i = 0, count = sources_.Count(); i < count; ++i)
        paths.push_back(sources_.TextAt(i, SystemCodePage()));
    return paths;
}

void LibMergeDialog::AddSource(const std::string& path) {
    if (path.empty()) return;
    if (ListHolds(Sources(), path)) {
        ShowMessage(LoadUiString(IDS_DIALOG_WA_PROMPT_ADD_LIB_EXISTS), "", kMbOk | kMbIconInformation);
        return;
    }
    if (!FileExists(path)) {
        ShowMessage(LoadUiString(IDS_DIALOG_WA_PROMPT_ADD_LIB_FAILED) + "\r\n\r\n" + path, "",
                    kMbOk | kMbIconError);
        return;
    }
    sources_.Select(sources_.Add(path, SystemCodePage()));
    sources_.FitHorizontalExtent();
    UpdateMerge();
}

void LibMergeDialog::OnAdd() {
    AddSource(PathIn(IDC_MWA_NEW_LIB));
}

void LibMergeDialog::OnRemove() {
    const int selected = sources_.Selected();
    if (selected < 0) return;
    sources_.Remove(selected);
    const int count = sources_.Count();
    if (count > 0) sources_.Select(selected < count ? selected : count - 1);
    UpdateMerge();
}

void LibMergeDialog::OnBrowseSource() {
    const bool big5 = IsBig5();
    std::string path;
    const std::string folder =
        ReadLibFolder(kMergeFolderSection, kNewLibFolderKey, big5, context_.ctwaFolder);
    const bool chosen = fileQuestion_
                            ? fileQuestion_(false, folder, path)
                            : AskFileNameWithDialog(hwnd(), false, LoadUiString(IDS_DIALOG_ZELVO_FILE_TYPE),
                                                    folder, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, path);
    if (!chosen) return;
    StoreLibFolder(kMergeFolderSection, kNewLibFolderKey, big5, ParentFolder(path));
    Control(Item(IDC_MWA_NEW_LIB)).SetText(path, SystemCodePage());
    AddSource(path);
}

void LibMergeDialog::OnBrowseTarget() {
    const bool big5 = IsBig5();
    std::string path = PathIn(IDC_MWA_TARGET);
    const std::string folder =
        ReadLibFolder(kMergeFolderSection, kTargetLibFolderKey, big5, context_.ctwaFolder);
    const bool chosen = fileQuestion_
                            ? fileQuestion_(true, folder, path)
                            : AskFileNameWithDialog(hwnd(), true, LoadUiString(IDS_DIALOG_ZELVO_FILE_TYPE),
                                                    folder, OFN_HIDEREADONLY, path);
    if (!chosen) return;
    StoreLibFolder(kMergeFolderSection, kTargetLibFolderKey, big5, ParentFolder(path));
    Control(Item(IDC_MWA_TARGET)).SetText(path, SystemCodePage());
    UpdateMerge();
}

void LibMergeDialog::OnEncodingChange() {
    const int codePage = WordsCodePage();
    if (codePage == shownCodePage_) return;
    // The bytes typed stay; they are read in the other encoding now.
    for (int id : {IDC_MWA_TITLE, IDC_MWA_DESCRIPTION}) {
        Control field(Item(id));
        const std::string bytes = field.Text(shownCodePage_);
        field.SetText(bytes, codePage);
    }
    shownCodePage_ = codePage;
    wordsFont_ = FontLike(Item(IDC_MWA_TITLE), CharsetOfCodePage(codePage));
    if (wordsFont_) {
        Control(Item(IDC_MWA_TITLE)).SetFont(wordsFont_.get(), true);
        Control(Item(IDC_MWA_DESCRIPTION)).SetFont(wordsFont_.get(), true);
    }
}

void LibMergeDialog::UpdateMerge() {
    Control(Item(IDC_MWA_MERGE)).Enable(sources_.Count() > 0 && !PathIn(IDC_MWA_TARGET).empty());
    Control(Item(IDC_MWA_REMOVE)).Enable(sources_.Selected() >= 0);
    Control(Item(IDC_MWA_OPEN_SOURCE)).Enable(sources_.Selected() >= 0);
}

void LibMergeDialog::OnMerge() {
    LibMergeRequest request;
    request.sources = Sources();
    request.target = PathIn(IDC_MWA_TARGET);
    request.isBig5 = IsBig5();
    const int codePage = WordsCodePage();
    request.title = TrimBlanks(Control(Item(IDC_MWA_TITLE)).Text(codePage));
    request.description = Control(Item(IDC_MWA_DESCRIPTION)).Text(codePage);
    if (request.sources.empty() || request.target.empty()) return;
    // An existing target may keep its own title; a new lib needs one.
    if (request.title.empty() && !FileExists(request.target)) {
        ShowMessage(ErrorListEntry(LoadUiString(IDS_DIALOG_WA_ERROR_LIST), 3), "", kMbOk | kMbIconError);
        SetFocus(Item(IDC_MWA_TITLE));
        return;
    }
    if (!RunLibMerge(request, context_)) return;
    if (!ListHolds(written_, request.target)) written_.push_back(request.target);
}

void LibMergeDialog::Open(const std::string& path) {
    if (path.empty()) return;
    if (fileOpener_) {
        fileOpener_(path);
        return;
    }
    const std::string quoted = "\"" + path + "\"";
    ShellExecuteA(hwnd(), "open", quoted.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zelvo
