#include "app/win/about_dialog.h"

#include "app/editor_app.h"
#include "resources/resource.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

AboutTexts MakeAboutTexts(const EditorApp& app) {
    std::string product = app.productName.empty() ? LoadUiString(IDS_QXT_PRODUCT) : app.productName;
    std::string company = app.companyName.empty() ? LoadUiString(IDS_QXT_COMPANY) : app.companyName;
    AboutTexts texts;
    texts.caption = LoadUiString(IDS_DIALOG_ABOUT_TITLE, product);
    texts.product = LoadUiString(IDS_DIALOG_ABOUT_COMPANY_PRODUCT_VERSION, company, product, kProductVersion);
    texts.build = LoadUiString(IDS_DIALOG_LVUD_BUILD, app.buildDate.text);
    texts.copyright = LoadUiString(IDS_DIALOG_ABOUT_COPYRIGHT, company);
    texts.ok = LoadUiString(IDS_DIALOG_OK);
    return texts;
}

AboutDialog::AboutDialog(const EditorApp& app) : Dialog(IDD_ABOUT), app_(app) {}

AboutDialog::~AboutDialog() {
    // The window must go before the font it draws with.
    if (hwnd()) End(IDCANCEL);
}

bool AboutDialog::OnInitDialog() {
    AboutTexts texts = MakeAboutTexts(app_);

    // The template's font with the UI language's character set, so Chinese texts are drawn.
    if (UniqueFont font = FontLike(hwnd(), CharsetOfCodePage(UiCodePage()))) {
        font_ = std::move(font);
        for (int id : {IDC_ABOUT_PRODUCT, IDC_ABOUT_BUILD, IDC_ABOUT_COPYRIGHT, IDOK})
            Control(Item(id)).SetFont(font_.get());
    }

    int codePage = UiCodePage();
    SetWindowTextIn(hwnd(), texts.caption, codePage);
    SetWindowTextIn(Item(IDC_ABOUT_PRODUCT), texts.product, codePage);
    SetWindowTextIn(Item(IDC_ABOUT_BUILD), texts.build, codePage);
    SetWindowTextIn(Item(IDC_ABOUT_COPYRIGHT), texts.copyright, codePage);
    if (!texts.ok.empty()) SetWindowTextIn(Item(IDOK), texts.ok, codePage);

    HICON icon = static_cast<HICON>(
        LoadImageW(ResourceInstance(), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON, 32, 32, LR_SHARED));
    if (icon) Control(Item(IDC_ABOUT_ICON)).SetIcon(icon);
    return true;
}

}  // namespace zelvo
