#include "services/win/toolkit/property_sheet.h"

#include "services/strings/ui_string_ids.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

// The sheet's own Apply button (comctl32 gives it this id).
constexpr int kApplyNowButton = 0x3021;

// The sheet's buttons come from comctl32 in the system's language; they speak the UI
// language like every other button of the program.
void RelabelSheetButtons(HWND sheet) {
    const std::pair<int, int> labels[] = {
        {IDOK, IDS_DIALOG_OK}, {IDCANCEL, IDS_DIALOG_CANCEL}, {kApplyNowButton, IDS_TIP_APPLY}};
    for (const auto& [id, textId] : labels)
        if (HWND button = GetDlgItem(sheet, id)) SetWindowTextW(button, WidenUiText(LoadUiString(textId)).c_str());
}

}  // namespace

// One modal run of a sheet: its pages, its window once open, and whether a round of
// applying has gone through every open page.
struct PropertySheetRun {
    std::vector<PropertyPage*> pages;
    HWND sheet = nullptr;
    bool applied = false;
};

PropertyPage::PropertyPage(int templateId, std::string title)
    : Dialog(templateId), title_(std::move(title)) {}

PropertyPage::PropertyPage(const DLGTEMPLATE* pageTemplate, std::string title)
    : Dialog(0), pageTemplate_(pageTemplate), title_(std::move(title)) {}

void PropertyPage::MarkChanged() {
    if (hwnd()) SendMessageW(GetParent(hwnd()), PSM_CHANGED, reinterpret_cast<WPARAM>(hwnd()), 0);
}

bool PropertyPage::IsLastOpenPage() const {
    for (auto it = run_->pages.rbegin(); it != run_->pages.rend(); ++it)
        if ((*it)->hwnd()) return *it == this;
    return false;
}

bool PropertyPage::HandleSheetNotify(const NMHDR* header, INT_PTR& result) {
    if (!header || header->hwndFrom != GetParent(hwnd()) || header->code != PSN_APPLY) return false;
    if (!OnApply()) {
        // The sheet stays open and shows this page; the pages after it are not asked.
        result = PSNRET_INVALID;
        return true;
    }
    result = PSNRET_NOERROR;
    // The sheet asks the open pages in tab order and stops at a refusal, so the last open
    // page accepting ends a round every page accepted.
    if (run_ && IsLastOpenPage()) run_->applied = true;
    return true;
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PropertyPage* opening = nullptr;
    if (message == WM_INITDIALOG) {
        // The sheet hands the page its own copy of the description; lParam there is the page.
        opening = reinterpret_cast<PropertyPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        if (opening && opening->run_ && !opening->run_->sheet) BeginRun(*opening->run_, GetParent(window));
    } else if (message == WM_NOTIFY) {
        // The dialog base keeps its object in DWLP_USER once the page has opened.
        auto* self =
            static_cast<PropertyPage*>(reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER)));
        INT_PTR result = 0;
        if (self && self->HandleSheetNotify(reinterpret_cast<const NMHDR*>(lParam), result)) {
            SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
    return RouteMessage(opening, window, message, wParam, lParam);
}

void PropertyPage::BeginRun(PropertySheetRun& run, HWND sheet) {
    run.sheet = sheet;
    RelabelSheetButtons(sheet);
    // Questions asked while the sheet is open belong to it, not to the owner it disabled.
    BeginSpeakingFor(sheet);
}

void PropertyPage::EndRun(PropertySheetRun& run) {
    if (run.sheet) EndSpeakingFor(run.sheet);
    for (PropertyPage* page : run.pages) page->run_ = nullptr;
}

bool PropertySheet::Run(HWND owner, std::string_view caption, const std::vector<PropertyPage*>& pages) {
    if (pages.empty()) return false;
    PropertySheetRun run{pages};
    std::vector<PROPSHEETPAGEW> descriptions;
    for (PropertyPage* page : pages) {
        page->run_ = &run;
        page->wideTitle_ = WidenUiText(page->title_);
        PROPSHEETPAGEW description{};
        description.dwSize = sizeof description;
        description.hInstance = Dialog::ResourceInstance();
        if (page->pageTemplate_) {
            description.dwFlags |= PSP_DLGINDIRECT;
            description.pResource = page->pageTemplate_;
        } else {
            description.pszTemplate = MAKEINTRESOURCEW(page->TemplateId());
        }
        if (!page->wideTitle_.empty()) {
            description.dwFlags |= PSP_USETITLE;
            description.pszTitle = page->wideTitle_.c_str();
        }
        description.pfnDlgProc = &PropertyPage::PageProc;
        description.lParam = reinterpret_cast<LPARAM>(page);
        descriptions.push_back(description);
    }
    const std::wstring wideCaption = WidenUiText(caption);
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = Dialog::ResourceInstance();
    header.pszCaption = wideCaption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.ppsp = descriptions.data();
    const INT_PTR result = PropertySheetW(&header);
    PropertyPage::EndRun(run);
    return result >= 0 && run.applied;
}

}  // namespace zelvo
