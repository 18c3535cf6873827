#include "app/win/options_dialog.h"

#include "app/recent_files.h"
#include "resources/resource.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

// ---- General ----

OptionsGeneralPage::OptionsGeneralPage(const OptionsDialogArgs& args)
    : PropertyPage(IDD_OPTIONS_GENERAL, LoadUiString(IDS_DIALOG_OPTIONS_GENERAL_TITLE)), args_(args) {
    SetLabels({{IDC_OPTIONS_FILE_GROUP, IDS_QXT_FILE},
               {IDC_OPTIONS_MRU_LABEL, IDS_DIALOG_OPTIONS_GENERAL_MAXIMUM_COUNT_M},
               {IDC_OPTIONS_SHELL_GROUP, IDS_DIALOG_OPTIONS_GENERAL_WINDOWS_EXPLORER}});
    BindControl(IDC_OPTIONS_MRU_COUNT, count_);
    BindControl(IDC_OPTIONS_SHELL_OPEN, shellOpen_);
    count_.onSelectionChange = [this] { MarkChanged(); };
    shellOpen_.onClick = [this] { MarkChanged(); };
}

bool OptionsGeneralPage::OnInitDialog() {
    const int codePage = UiCodePage();
    shellOpen_.SetText(LoadUiString(IDS_DIALOG_OPTIONS_GENERAL_ENABLE_SHELL_OPEN_E, args_.productName),
                       codePage);
    font_ = UseUiFont(hwnd());
    for (const std::string& choice : MruCountChoices()) count_.Add(choice, codePage);
    count_.Select(MaximumMruCount());
    shellOpen_.SetChecked(args_.isShellExtensionRegistered && args_.isShellExtensionRegistered());
    return true;
}

bool OptionsGeneralPage::OnApply() {
    WriteMaximumMruCount(MruCountOfText(count_.Text(UiCodePage())));
    if (args_.setShellExtension) args_.setShellExtension(shellOpen_.IsChecked());
    return true;
}

// ---- Code Transfer ----

OptionsCodeTransferPage::OptionsCodeTransferPage()
    : PropertyPage(IDD_OPTIONS_CODE_TRANSFER, LoadUiString(IDS_DIALOG_OPTIONS_CT_TITLE)) {
    SetLabels({{IDC_OPTIONS_EA_GROUP, IDS_DIALOG_OPTIONS_CT_EA_TRANSFER},
               {IDC_OPTIONS_WHERE_LABEL, IDS_DIALOG_OPTIONS_CT_WHERE_TO_SHOW_RESULT},
               {IDC_OPTIONS_SOURCE_TO_SOURCE, IDS_DIALOG_OPTIONS_CT_SE2SE_S},
               {IDC_OPTIONS_SOURCE_TO_DESTINATION, IDS_DIALOG_OPTIONS_CT_SE2DE_D},
               {IDC_OPTIONS_SITE_GROUP, IDS_DIALOG_OPTIONS_CT_SITE_TRANSFER},
               {IDC_OPTIONS_CHANGE_PATH_CODE, IDS_DIALOG_OPTIONS_CT_TRANSFER_FILE_PATH_CODE_P},
               {IDC_OPTIONS_CHECK_WD, IDS_DIALOG_OPTIONS_CT_CHECK_WA_LIB_VALIDATION_C}});
    for (auto [id, button] : {std::pair{IDC_OPTIONS_SOURCE_TO_SOURCE, &toSource_},
                              std::pair{IDC_OPTIONS_SOURCE_TO_DESTINATION, &toDestination_},
                              std::pair{IDC_OPTIONS_CHANGE_PATH_CODE, &changePathCode_},
                              std::pair{IDC_OPTIONS_CHECK_WD, &checkWd_}}) {
        BindControl(id, *button);
        button->onClick = [this] { MarkChanged(); };
    }
}

bool OptionsCodeTransferPage::OnInitDialog() {
    font_ = UseUiFont(hwnd());
    options_ = ReadCodeTransferOptions();
    toSource_.SetChecked(options_.transferToSource);
    toDestination_.SetChecked(!options_.transferToSource);
    changePathCode_.SetChecked(options_.changePathCode);
    checkWd_.SetChecked(options_.checkWd);
    return true;
}

bool OptionsCodeTransferPage::OnApply() {
    options_.transferToSource = toSource_.IsChecked();
    options_.changePathCode = changePathCode_.IsChecked();
    options_.checkWd = checkWd_.IsChecked();
    WriteCodeTransferOptions(options_);
    applied_ = true;
    return true;
}

std::optional<CodeTransferOptions> RunOptionsDialog(HWND owner, const OptionsDialogArgs& args) {
    OptionsGeneralPage general(args);
    OptionsCodeTransferPage codeTransfer;
    PropertySheet::Run(owner, LoadUiString(IDS_DIALOG_OPTIONS_OPTIONS), {&general, &codeTransfer});
    if (!codeTransfer.applied()) return std::nullopt;
    return codeTransfer.options();
}

}  // namespace zelvo
