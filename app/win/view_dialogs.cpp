#include "app/win/view_dialogs.h"

#include <string>

#include "app/font_size_input.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

int Slot(EditArea area) {
    return area == EditArea::kDestination ? 1 : 0;
}

}  // namespace

// ---- Font Size ----

FontSizeDialog::FontSizeDialog(EditArea preselected, int sourcePoints, int destinationPoints)
    : Dialog(IDD_FONT_SIZE),
      ticked_(preselected == EditArea::kDestination ? EditArea::kDestination : EditArea::kSource),
      points_{sourcePoints, destinationPoints} {
    SetLabels({{IDC_FONT_SIZE_SOURCE, IDS_DIALOG_PI_SOURCE_EA_S},
               {IDC_FONT_SIZE_DESTINATION, IDS_DIALOG_PI_DESTINATION_EA_D},
               {IDOK, IDS_DIALOG_OK},
               {IDCANCEL, IDS_DIALOG_CANCEL}});
    source_.onClick = [this] { Tick(EditArea::kSource); };
    destination_.onClick = [this] { Tick(EditArea::kDestination); };
    BindControl(IDC_FONT_SIZE_SOURCE, source_);
    BindControl(IDC_FONT_SIZE_DESTINATION, destination_);
    BindControl(IDC_FONT_SIZE_VALUE, sizes_);
}

bool FontSizeDialog::OnInitDialog() {
    const int codePage = UiCodePage();
    Control(hwnd()).SetText(LoadUiString(IDS_PROFILE_FONT_SIZE), codePage);
    Control(Item(IDC_FONT_SIZE_LABEL)).SetText(LoadUiString(IDS_MENU_VIEW_FONT_SIZE_F) + ":", codePage);
    font_ = UseUiFont(hwnd());
    for (const FontSizeItem& item : FontSizeItems()) sizes_.Add(item.text, codePage);
    source_.SetChecked(ticked_ == EditArea::kSource);
    destination_.SetChecked(ticked_ == EditArea::kDestination);
    ShowSize(ticked_);
    SetFocus(sizes_.hwnd());
    return false;  // the focus is set
}

void FontSizeDialog::ShowSize(EditArea area) {
    sizes_.SetText(std::to_string(points_[Slot(area)]), UiCodePage());
}

bool FontSizeDialog::TakeTypedSize() {
    const std::optional<int> points = ParseFontSizeInput(sizes_.Text(UiCodePage()));
    if (!points) {
        MessageRequest request;
        request.text = LoadUiString(IDS_ERROR_VALUE_INPUT_VALUE_MUST_BE_BETWEEN_A_AND_B, "1", "600");
        request.style = kMbOk | kMbIconWarning;
        ShowMessage(request);
        SetFocus(sizes_.hwnd());
        return false;
    }
    points_[Slot(ticked_)] = *points;
    return true;
}

void FontSizeDialog::Tick(EditArea area) {
    if (area == ticked_) return;
    // What was typed for the area that was ticked is kept for it; a text that is no size
    // keeps that area ticked.
    if (!TakeTypedSize()) {
        source_.SetChecked(ticked_ == EditArea::kSource);
        destination_.SetChecked(ticked_ == EditArea::kDestination);
        return;
    }
    ticked_ = area;
    ShowSize(area);
}

void FontSizeDialog::OnOk() {
    if (TakeTypedSize()) End(IDOK);
}

// ---- Proportion ----

ProportionDialog::ProportionDialog(int proportion, Preview preview)
    : Dialog(IDD_PROPORTION),
      opened_(proportion < 0 ? 0 : proportion > 100 ? 100 : proportion),
      current_(opened_),
      preview_(std::move(preview)) {
    SetLabels({{IDC_PROPORTION_GROUP, IDS_DIALOG_PROPORTION_GROUP},
               {IDC_PROPORTION_LABEL, IDS_DIALOG_PROPORTION_PROPORTION_P},
               {IDOK, IDS_DIALOG_OK},
               {IDCANCEL, IDS_DIALOG_CANCEL}});
    list_.onSelectionChange = [this] {
        if (list_.Selected() >= 0) Choose(list_.Selected());
    };
    reset_.onClick = [this] { Choose(50); };
    BindControl(IDC_PROPORTION_SOURCE, list_);
    BindControl(IDC_PROPORTION_RESET, reset_);
}

bool ProportionDialog::OnInitDialog() {
    const int codePage = UiCodePage();
    Control(hwnd()).SetText(LoadUiString(IDS_DIALOG_PROPORTION_CAPTION), codePage);
    reset_.SetText(LoadUiString(IDS_DIALOG_BACKGROUND_RESET) + "(50:50)", codePage);
    font_ = UseUiFont(hwnd());
    for (int value = 0; value <= 100; ++value) list_.Add(std::to_string(value), codePage);
    list_.Select(current_);
    Control(Item(IDC_PROPORTION_DESTINATION)).SetText(std::to_string(100 - current_), codePage);
    return true;
}

void ProportionDialog::Choose(int proportion) {
    list_.Select(proportion);
    Control(Item(IDC_PROPORTION_DESTINATION)).SetText(std::to_string(100 - proportion), UiCodePage());
    if (proportion == current_) return;
    current_ = proportion;
    if (preview_) preview_(proportion);
}

void ProportionDialog::OnCancel() {
    if (current_ != opened_) {
        current_ = opened_;
        if (preview_) preview_(opened_);
    }
    End(IDCANCEL);
}

}  // namespace zelvo
