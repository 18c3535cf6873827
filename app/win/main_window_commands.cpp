// The main window's command table: every id of the menus, toolbars, accelerators and the
// context menu, bound to what carries it out.
#include <windows.h>
// The other system headers need the types of windows.h.
#include <shellapi.h>

#include "app/editor_app.h"
#include "app/language_table.h"
#include "app/text_difference.h"
#include "app/win/about_dialog.h"
#include "app/win/instances.h"
#include "app/win/main_window.h"
#include "app/win/options_dialog.h"
#include "app/win/progress_dialog.h"
#include "app/win/view_dialogs.h"
#include "convert/win/lib_merge_dialog.h"
#include "convert/win/lib_validation_window.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/help.h"
#include "services/message_service.h"
#include "services/system_language.h"
#include "services/ui_language.h"
#include "services/ui_strings.h"
#include "services/win/shell_registration.h"
#include "services/win/toolkit/win_text.h"
#include "transfer/win/site_transfer_dialog.h"

namespace zelvo {

void MainWindow::BindCommands() {
    auto bind = [this](int id, std::function<void()> action) {
        BindCommand(id, [action = std::move(action)](int, int) { action(); });
    };
    constexpr EditArea S = EditArea::kSource;
    constexpr EditArea D = EditArea::kDestination;

    // Controls of the areas: the edit controls' notifications and the language selectors.
    for (Area* a : {&source_, &destination_}) {
        const EditArea area = a->id;
        a->edit.onChange = [this, area] { OnEditChange(area); };
        a->edit.onFocus = [this, area] { SetStatusArea(area); };
        a->selector.onSelectionChange = [this, area] { OnSelectorChange(area); };
        BindControl(a->editId, a->edit);
        BindControl(a->selectorId, a->selector);
    }

    // Files.
    bind(IDM_NEW, [this] { NewInstance(); });
    bind(IDM_SOURCE_OPEN, [this] { documents_.OpenCommand(S); });
    bind(IDM_DESTINATION_OPEN, [this] { documents_.OpenCommand(D); });
    bind(IDM_SOURCE_CLOSE, [this] { documents_.Close(S); });
    bind(IDM_DESTINATION_CLOSE, [this] { documents_.Close(D); });
    bind(IDM_SOURCE_SAVE, [this] { documents_.Save(S); });
    bind(IDM_DESTINATION_SAVE, [this] { documents_.Save(D); });
    bind(IDM_SOURCE_SAVE_AS, [this] { documents_.SaveAs(S); });
    bind(IDM_DESTINATION_SAVE_AS, [this] { documents_.SaveAs(D); });
    // The Properties buttons also make their area the context area.
    bind(IDM_SOURCE_PROPERTIES, [this] {
        contextArea_ = S;
        documents_.Properties(S);
    });
    bind(IDM_DESTINATION_PROPERTIES, [this] {
        contextArea_ = D;
        documents_.Properties(D);
    });
    BindCommandRange(IDM_SOURCE_RECENT_FIRST, IDM_SOURCE_RECENT_LAST,
                     [this](int id, int) { documents_.OpenRecent(S, id - IDM_SOURCE_RECENT_FIRST); });
    BindCommandRange(IDM_DESTINATION_RECENT_FIRST, IDM_DESTINATION_RECENT_LAST,
                     [this](int id, int) { documents_.OpenRecent(D, id - IDM_DESTINATION_RECENT_FIRST); });
    bind(IDM_EXIT, [this] { Closing(); });
    bind(IDM_EXIT_ALL, [this] { ExitAll(); });

    // Editing.
    bind(IDM_SOURCE_UNDO, [this] { EditCommand(S, EM_UNDO); });
    bind(IDM_DESTINATION_UNDO, [this] { EditCommand(D, EM_UNDO); });
    bind(IDM_SOURCE_CUT, [this] { EditCommand(S, WM_CUT); });
    bind(IDM_DESTINATION_CUT, [this] { EditCommand(D, WM_CUT); });
    bind(IDM_SOURCE_COPY, [this] { EditCommand(S, WM_COPY); });
    bind(IDM_DESTINATION_COPY, [this] { EditCommand(D, WM_COPY); });
    bind(IDM_SOURCE_COPY_ALL, [this] { CopyAll(S); });
    bind(IDM_DESTINATION_COPY_ALL, [this] { CopyAll(D); });
    bind(IDM_SOURCE_PASTE, [this] { EditCommand(S, WM_PASTE); });
    bind(IDM_DESTINATION_PASTE, [this] { EditCommand(D, WM_PASTE); });
    bind(IDM_SOURCE_DELETE, [this] { EditCommand(S, WM_CLEAR); });
    bind(IDM_DESTINATION_DELETE, [this] { EditCommand(D, WM_CLEAR); });
    bind(IDM_SOURCE_SELECT_ALL, [this] { SelectAll(S); });
    bind(IDM_DESTINATION_SELECT_ALL, [this] { SelectAll(D); });
    bind(IDM_SOURCE_FIND_REPLACE, [this] { FindReplaceCommand(S, true); });
    bind(IDM_DESTINATION_FIND_REPLACE, [this] { FindReplaceCommand(D, true); });

    // View.
    bind(IDM_TOGGLE_SOURCE_AREA, [this] { ToggleAreaShown(S); });
    bind(IDM_TOGGLE_SOURCE_AREA_D, [this] { ToggleAreaShown(S); });
    bind(IDM_TOGGLE_DESTINATION_AREA, [this] { ToggleAreaShown(D); });
    bind(IDM_TOGGLE_DESTINATION_AREA_D, [this] { ToggleAreaShown(D); });
    bind(IDM_TOGGLE_MENU_BAR, [this] { ToggleMenuBarShown(); });
    bind(IDM_TOGGLE_SOURCE_TOOLBAR, [this] { ToggleToolbarShown(S); });
    bind(IDM_TOGGLE_DESTINATION_TOOLBAR, [this] { ToggleToolbarShown(D); });
    bind(IDM_TOGGLE_STATUS_BAR, [this] { ToggleStatusBarShown(); });
    bind(IDM_ALWAYS_ON_TOP, [this] { ToggleAlwaysOnTop(); });
    bind(IDM_PROFILE_OPERATIONS, [this] { ShowProfileMenu(); });
    bind(IDM_ADJUST_PROPORTION, [this] { AdjustProportion(); });
    bind(IDM_SOURCE_FONT_CUSTOM, [this] { ChooseFontSize(S); });
    bind(IDM_DESTINATION_FONT_CUSTOM, [this] { ChooseFontSize(D); });
    bind(IDM_DIFFERENCE_CHECK, [this] { CheckDifferences(); });
    bind(IDM_PROFILE_MANAGER, [this] { OpenProfileManager(); });
    bind(IDM_SAVE_PROFILE, [this] {
        if (CommandState(IDM_SAVE_PROFILE, Snapshot()).enabled) SaveProfileOfWindow();
    });
    bind(IDM_HELP_CENTER, [] { OpenHelpTopic(kHelpTopicStart); });
    bind(IDM_OPTIONS, [this] { ShowOptions(); });
    bind(IDM_WORD_ADJUSTMENT, [this] { OpenLibManager(); });
    BindCommandRange(IDM_PROFILE_FIRST, IDM_PROFILE_LAST, [this](int id, int) { ApplyProfileOfMenu(id); });
    bind(IDM_WORD_WRAP, [this] { ToggleWordWrap(); });
    // The background is a setting profiles keep; the window does not draw it.
    bind(IDM_BACKGROUND, [this] { ConfigureBackground(); });
    for (int id :
         {IDM_SOURCE_FONT_SMALL, IDM_SOURCE_FONT_SMALLER, IDM_SOURCE_FONT_NORMAL, IDM_SOURCE_FONT_LARGER,
          IDM_SOURCE_FONT_LARGE, IDM_DESTINATION_FONT_SMALL, IDM_DESTINATION_FONT_SMALLER,
          IDM_DESTINATION_FONT_NORMAL, IDM_DESTINATION_FONT_LARGER, IDM_DESTINATION_FONT_LARGE})
        bind(id, [this, id] {
            if (auto command = FontSizeCommandOf(id)) SetFontPoints(command->area, command->points);
        });
    BindCommandRange(IDM_SOURCE_LANGUAGE_FIRST, IDM_SOURCE_LANGUAGE_LAST,
                     [this](int id, int) { SelectLanguage(S, id - IDM_SOURCE_LANGUAGE_FIRST); });
    BindCommandRange(IDM_DESTINATION_LANGUAGE_FIRST, IDM_DESTINATION_LANGUAGE_LAST,
                     [this](int id, int) { SelectLanguage(D, id - IDM_DESTINATION_LANGUAGE_FIRST); });
    BindCommandRange(IDM_UI_LANGUAGE_FIRST, IDM_UI_LANGUAGE_LAST,
                     [this](int id, int) { SwitchUiLanguageTo(id - IDM_UI_LANGUAGE_FIRST); });

    // Code transfer.
    for (int id : {IDM_TRANSFER_G2B, IDM_TRANSFER_B2G, IDM_CONTEXT_TRANSFER_G2B, IDM_CONTEXT_TRANSFER_B2G,
                   IDM_TRANSFER_GBK_S2T, IDM_TRANSFER_GBK_T2S})
        bind(id, [this, id] {
            RunTransferCommand([this, id] {
                if (auto direction = TransferDirectionOfCommand(id)) transfers_.EditAreaTransfer(*direction);
            });
        });
    bind(IDM_CLIPBOARD_G2B, [this] {
        RunTransferCommand([this] { transfers_.ClipboardTransfer(TransferDirection::kGbkToBig5); });
    });
    bind(IDM_CLIPBOARD_B2G, [this] {
        RunTransferCommand([this] { transfers_.ClipboardTransfer(TransferDirection::kBig5ToGbk); });
    });
    bind(IDM_WHATS_THIS, [this] { WhatsThis(); });
    bind(IDM_TRANSFER_TO_SOURCE, [this] { SetTransferTarget(true); });
    bind(IDM_TRANSFER_TO_DESTINATION, [this] { SetTransferTarget(false); });
    bind(IDM_SITE_TRANSFER, [this] { RunSiteTransfer(); });

    bind(IDM_ABOUT, [this] { ShowAbout(); });

    // The context menu and Ctrl+A/O/P/S act on the context area.
    for (int id : {IDM_CONTEXT_UNDO, IDM_CONTEXT_CUT, IDM_CONTEXT_COPY, IDM_CONTEXT_PASTE, IDM_CONTEXT_DELETE,
                   IDM_CONTEXT_SELECT_ALL, IDM_CONTEXT_OPEN, IDM_CONTEXT_SAVE,
                   IDM_CONTEXT_SAVE_AS, IDM_CONTEXT_CLOSE, IDM_CONTEXT_PROPERTIES})
        bind(id, [this, id] { ContextCommand(id); });
    // The context menu's Find/Replace is the right-clicked area's; Ctrl+F (an accelerator,
    // notification code 1) opens the window of the area being edited, which need not be
    // the one last right-clicked, and brings it to the front when it is open already.
    BindCommand(IDM_CONTEXT_FIND_REPLACE, [this](int id, int notifyCode) {
        if (notifyCode == 1)
            FindReplaceCommand(FocusedArea(), false);
        else
            ContextCommand(id);
    });
}

void MainWindow::ContextCommand(int id) {
    int command = ResolveContextCommand(id, contextArea_);
    // Until a right click or a Properties button has chosen an area these do nothing.
    if (command == 0 || command == id) return;
    if (!CommandState(command, Snapshot()).enabled) return;
    RunCommand(command);
}

void MainWindow::NewInstance() {
    std::string program = app_.programFile.empty() ? ProgramFilePath() : app_.programFile;
    if (processStarter_) {
        processStarter_(program, app_.appFolder);
        return;
    }
    std::wstring file = WidenWithSystemCodePage(program);
    std::wstring folder = WidenWithSystemCodePage(app_.appFolder);
    ShellExecuteW(hwnd(), L"open", file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                  SW_SHOWNORMAL);
}

void MainWindow::ExitAll() {
    if (CountInstances(false, hwnd()) > 1) {
        MessageRequest request;
        request.text = LoadUiString(IDS_MESSAGE_PROMPT_EXIT_ALL, app_.productName);
        request.style = kMbOkCancel | kMbIconQuestion;
        if (ShowMessage(request).result != kIdOk) return;
        CountInstances(true, hwnd());
    }
    Closing();
}

void MainWindow::ShowAbout() {
    AboutDialog about(app_);
    about.RunModal(hwnd());
}

void MainWindow::WhatsThis() {
    MessageRequest request;
    request.text = LoadUiString(IDS_DIALOG_ZELVO_PROMPT_GBK_S_VS_T_EXPLANATION);
    request.style = kMbOk | kMbIconInformation;
    ShowMessage(request);
}

void MainWindow::SetTransferTarget(bool toSource) {
    transferToSource_ = toSource;
    WriteRegInt("Code Transfer", "UI Display Source 2 Source", toSource ? 1 : 0);
    RefreshToolTips();
}

void MainWindow::ShowOptions() {
    OptionsDialogArgs args;
    args.productName = app_.productName;
    args.isShellExtensionRegistered = IsShellExtensionRegistered;
    args.setShellExtension = [this](bool enable) { SetShellExtension(enable, app_.appFolder); };
    const std::optional<CodeTransferOptions> options = RunOptionsDialog(hwnd(), args);
    if (!options) return;
    transferToSource_ = options->transferToSource;
    changePathCode_ = options->changePathCode ? 1 : 0;
    RefreshToolTips();
}

void MainWindow::SwitchUiLanguageTo(int index) {
    if (index < 0 || index >= static_cast<int>(app_.uiLanguageNames.size())) return;
    if (!SwitchUiLanguage(app_, app_.uiLanguageNames[static_cast<size_t>(index)], UserDefaultLanguageId()))
        return;
    SetWaitCursor(true);
    SetUiCodePage(CodePageOfCharset(app_.uiCharset));
    SetStatusText(LoadUiString(IDS_DIALOG_ZELVO_STATUS_MODIFYING_UI_LANGUAGE));
    ApplyUiLanguage();
    ApplyViewState();
    LayOutNow();
    RestoreReady();
    SetWaitCursor(false);
}

void MainWindow::RunSiteTransfer() {
    RunSiteTransferDialog(hwnd(), context_, app_.appFolder, app_.productName);
    // The dialog writes its progress into the caption and puts a caption back at the end.
    title_.clear();
    Refresh();
}

bool MainWindow::RunInProgressDialog(const CodeTransferRequest& request, const std::string& caption,
                                     std::string_view source, std::string& result) {
    ProgressDialogArgs args;
    args.owner = hwnd();
    args.forwarder = &statusProgress_;
    args.context = &context_;
    args.fromBig5 = request.fromBig5;
    args.mode = request.mode;
    args.operation = caption;
    args.source = source;
    args.result = &result;
    ProgressDialog dialog(std::move(args));
    return dialog.Run();
}

void MainWindow::SetProportion(int proportion) {
    if (proportion < 0 || proportion > 100 || proportion == view_.proportion) return;
    view_.proportion = proportion;
    LayOutNow();
}

void MainWindow::AdjustProportion() {
    // Each choice in the dialog lays the window out at once; closing without OK goes back.
    ProportionDialog dialog(view_.proportion, [this](int proportion) { SetProportion(proportion); });
    dialog.RunModal(hwnd());
}

void MainWindow::ChooseFontSize(EditArea area) {
    FontSizeDialog dialog(area, source_.fontPoints, destination_.fontPoints);
    if (dialog.RunModal(hwnd()) != IDOK) return;
    SetFontPoints(EditArea::kSource, dialog.sourcePoints());
    SetFontPoints(EditArea::kDestination, dialog.destinationPoints());
}

void MainWindow::CheckDifferences() {
    std::string sourceText = SourceText();
    std::string destinationText = DestinationText();
    const WindowSnapshot snapshot = Snapshot();
    if (ShouldAskBeforeDifferenceCheck(sourceText, destinationText, snapshot.source, snapshot.destination)) {
        MessageRequest question;
        question.text = AdjustBeforeDifferenceCheckQuestion(app_.productName);
        question.style = kMbYesNoCancel | kMbIconQuestion;
        const int answer = ShowMessage(question).result;
        if (answer == kIdCancel) return;
        if (answer == kIdYes) {
            // The Destination's bytes stay; they are shown as the Source's language shows them.
            SelectLanguage(EditArea::kDestination, source_.languageIndex);
            SetFontPoints(EditArea::kDestination, source_.fontPoints);
            destinationText = DestinationText();
        }
    }
    SetWaitCursor(true);
    const TextDifferenceReport report = CheckTextDifference(sourceText, source_.edit.codePage(), destinationText,
                                                            destination_.edit.codePage());
    SetWaitCursor(false);
    MessageRequest result;
    result.text = report.message;
    result.style = kMbOk | kMbIconInformation;
    if (report.differences > 0) {
        result.detailsEnabled = true;
        result.details = report.details;
        result.detailsCodePage = destination_.edit.codePage();
    }
    ShowMessage(result);
}

void MainWindow::OpenLibManager() {
    if (!CommandState(IDM_WORD_ADJUSTMENT, Snapshot()).enabled) return;
    const LibFolders folders{app_.ctwaFolder, app_.configFolder};
    if (folders.ctwaFolder.empty()) return;
    LibManagerHooks hooks = libHooks_;
    if (hooks.textEditing.programFile.empty()) hooks.textEditing.programFile = app_.programFile;
    if (hooks.textEditing.tempFolder.empty()) hooks.textEditing.tempFolder = app_.tempFolder;
    // G2B libs hold Big5 words: the merge of the shown list merges libs of that encoding.
    if (!hooks.merge)
        hooks.merge = [this, folders](HWND owner, bool g2bShown) {
            return RunMergeDialog(owner, g2bShown, g2bLibs_, b2gLibs_, folders);
        };
    if (!hooks.validate)
        hooks.validate = [folders](const LibCheckRequest& request) {
            CheckLibsFromEditor(request.owner, request.scope, *request.g2b, *request.b2g, folders,
                                {request.g2bShown, static_cast<int>(request.libIndex)});
        };
    RunLibManager(hwnd(), g2bLibs_, b2gLibs_, folders, hooks);
    CountLibItems();
}

}  // namespace zelvo
