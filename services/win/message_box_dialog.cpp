#include "services/win/message_box_dialog.h"

#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

constexpr int kSlotIds[3] = {IDC_MESSAGE_BOX_SLOT1, IDC_MESSAGE_BOX_SLOT2, IDC_MESSAGE_BOX_SLOT3};

// The controls that sit below the message and move down when it grows.
constexpr int kBelowMessageIds[] = {
    IDC_MESSAGE_BOX_INPUT, IDC_MESSAGE_BOX_CHECK,          IDC_MESSAGE_BOX_SLOT1,       IDC_MESSAGE_BOX_SLOT2,
    IDC_MESSAGE_BOX_SLOT3, IDC_MESSAGE_BOX_DETAILS_BUTTON, IDC_MESSAGE_BOX_DETAILS_TEXT};

constexpr int kAllControlIds[] = {IDC_MESSAGE_BOX_TEXT,           IDC_MESSAGE_BOX_INPUT,
                                  IDC_MESSAGE_BOX_CHECK,          IDC_MESSAGE_BOX_SLOT1,
                                  IDC_MESSAGE_BOX_SLOT2,          IDC_MESSAGE_BOX_SLOT3,
                                  IDC_MESSAGE_BOX_DETAILS_BUTTON, IDC_MESSAGE_BOX_DETAILS_TEXT};

PixelRect ToPixelRect(const RECT& rect) {
    return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

// A child's rectangle in its parent's client coordinates.
RECT ClientRectOf(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PlaceChild(HWND child, const RECT& rect) {
    SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The system icons are integer resources: 32513 hand, 32514 question, 32515 exclamation,
// 32516 information.
const wchar_t* SystemIconOf(MessageBoxIcon icon) {
    switch (icon) {
        case MessageBoxIcon::kHand:
            return MAKEINTRESOURCEW(32513);
        case MessageBoxIcon::kQuestion:
            return MAKEINTRESOURCEW(32514);
        case MessageBoxIcon::kInformation:
            return MAKEINTRESOURCEW(32516);
        default:
            return MAKEINTRESOURCEW(32515);
    }
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(const MessageRequest& request) : MessageBoxDialog(request, std::nullopt) {}

MessageBoxDialog::MessageBoxDialog(const MessageRequest& request, const std::string& initialText)
    : MessageBoxDialog(request, std::optional<std::string>(initialText)) {}

MessageBoxDialog::MessageBoxDialog(const MessageRequest& request, std::optional<std::string> input)
    : Dialog(input ? IDD_MESSAGE_BOX_INPUT : IDD_MESSAGE_BOX),
      request_(request),
      input_(std::move(input)),
      buttons_(ButtonsForStyle(request.style)),
      details_(request.details) {
    answer_.result = buttons_.DefaultResult();
    answer_.checked = request.checked;
    if (input_) answer_.text = *input_;
    std::vector<std::pair<int, int>> labels{
        {IDC_MESSAGE_BOX_CHECK, IDS_DIALOG_QX_MESSAGE_BOX_SHOW_NEXT_TIME_S},
        {IDC_MESSAGE_BOX_DETAILS_BUTTON, details_.ButtonTextId()}};
    for (int slot = 1; slot <= 3; ++slot) {
        if (buttons_.Slot(slot).visible) labels.push_back({kSlotIds[slot - 1], buttons_.Slot(slot).textId});
        BindCommand(kSlotIds[slot - 1], [this, slot](int, int) { OnSlot(slot); });
    }
    SetLabels(std::move(labels));
    BindCommand(IDC_MESSAGE_BOX_DETAILS_BUTTON, &MessageBoxDialog::OnDetails);
}

MessageAnswer MessageBoxDialog::Run(HWND owner) {
    INT_PTR result = RunModal(owner);
    if (result != -1) answer_.result = static_cast<int>(result);
    return answer_;
}

bool MessageBoxDialog::OnInitDialog() {
    const std::string& caption = request_.caption.empty() ? LoadUiString(IDS_QXT_PRODUCT) : request_.caption;
    SetWindowTextW(hwnd(), WidenUiText(caption).c_str());
    SetUpTexts();
    SetUpButtons();
    SetUpIcon();
    SetUpFonts();
    FitHeightToMessage();
    HWND defaultButton = Item(kSlotIds[buttons_.defaultSlot - 1]);
    SetFocus(defaultButton);
    return false;  // the focus is set
}

void MessageBoxDialog::SetUpTexts() {
    MessageBoxTexts texts =
        FitMessageBoxTexts(WithCrLfLineBreaks(request_.text), WithCrLfLineBreaks(request_.details),
                           IsNtPlatform(), TextCodePage(), DetailsCodePage());
    shownText_ = texts.text;
    if (texts.liftTextLimit) TextEdit(Item(IDC_MESSAGE_BOX_TEXT)).LiftLengthLimit();
    if (texts.liftDetailsLimit) TextEdit(Item(IDC_MESSAGE_BOX_DETAILS_TEXT)).LiftLengthLimit();
    SetWindowTextW(Item(IDC_MESSAGE_BOX_TEXT), WidenText(texts.text, TextCodePage()).c_str());
    SetWindowTextIn(Item(IDC_MESSAGE_BOX_DETAILS_TEXT), texts.details, DetailsCodePage());
    if (input_) SetWindowTextW(Item(IDC_MESSAGE_BOX_INPUT), WidenUiText(*input_).c_str());

    HWND check = Item(IDC_MESSAGE_BOX_CHECK);
    CheckDlgButton(hwnd(), IDC_MESSAGE_BOX_CHECK, request_.checked ? BST_CHECKED : BST_UNCHECKED);
    ShowWindow(check, request_.showCheckBox ? SW_SHOW : SW_HIDE);
    EnableWindow(Item(IDC_MESSAGE_BOX_DETAILS_BUTTON), request_.detailsEnabled);
}

void MessageBoxDialog::SetUpButtons() {
    for (int slot = 1; slot <= 3; ++slot) {
        HWND button = Item(kSlotIds[slot - 1]);
        ShowWindow(button, buttons_.Slot(slot).visible ? SW_SHOW : SW_HIDE);
        Button(button).SetDefaultStyle(slot == buttons_.defaultSlot);
    }
    SendMessageW(hwnd(), DM_SETDEFID, kSlotIds[buttons_.defaultSlot - 1], 0);
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    if (systemMenu)
        EnableMenuItem(systemMenu, SC_CLOSE,
                       MF_BYCOMMAND | (buttons_.closeItemEnabled ? MF_ENABLED : MF_GRAYED));
}

void MessageBoxDialog::SetUpIcon() {
    HWND iconControl = Item(IDC_MESSAGE_BOX_ICON);
    HWND text = Item(IDC_MESSAGE_BOX_TEXT);
    RECT textRect = ClientRectOf(hwnd(), text);
    MessageBoxIcon icon = IconForStyle(request_.style);
    if (icon == MessageBoxIcon::kNone) {
        ShowWindow(iconControl, SW_HIDE);
        textRect.left = ClientRectOf(hwnd(), Item(IDC_MESSAGE_BOX_DETAILS_TEXT)).left;
    } else {
        Control(iconControl).SetIcon(LoadIconW(nullptr, SystemIconOf(icon)));
        ShowWindow(iconControl, SW_SHOW);
        // One icon margin to the right of the icon.
        RECT iconRect = ClientRectOf(hwnd(), iconControl);
        textRect.left = iconRect.left + iconRect.right;
    }
    PlaceChild(text, textRect);
}

void MessageBoxDialog::SetUpFonts() {
    font_ = FontLike(hwnd(), CharsetOfCodePage(UiCodePage()));
    if (!font_) return;
    // Every label is in the UI language, not only the two text boxes.
    for (int id : kAllControlIds) Control(Item(id)).SetFont(font_.get());
    // Details of another code page are drawn in a font of its character set.
    if (TextCodePage() != UiCodePage()) {
        textFont_ = FontLike(hwnd(), CharsetOfCodePage(TextCodePage()));
        if (textFont_) Control(Item(IDC_MESSAGE_BOX_TEXT)).SetFont(textFont_.get());
    }
    if (DetailsCodePage() != UiCodePage()) {
        detailsFont_ = FontLike(hwnd(), CharsetOfCodePage(DetailsCodePage()));
        if (detailsFont_) Control(Item(IDC_MESSAGE_BOX_DETAILS_TEXT)).SetFont(detailsFont_.get());
    }
}

int MessageBoxDialog::TextCodePage() const {
    return request_.textCodePage ? request_.textCodePage : UiCodePage();
}

int MessageBoxDialog::DetailsCodePage() const {
    return request_.detailsCodePage ? request_.detailsCodePage : UiCodePage();
}

void MessageBoxDialog::FitHeightToMessage() {
    int delta = MessageBoxHeightDelta(EstimatedMessageLines(shownText_));
    RECT window{};
    GetWindowRect(hwnd(), &window);
    PixelRect grown = GrowAboutMiddle(ToPixelRect(window), delta);
    SetWindowPos(hwnd(), nullptr, grown.left, grown.top, grown.right - grown.left, grown.bottom - grown.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    HWND text = Item(IDC_MESSAGE_BOX_TEXT);
    RECT textRect = ClientRectOf(hwnd(), text);
    textRect.bottom += delta;
    PlaceChild(text, textRect);
    for (int id : kBelowMessageIds) {
        HWND control = Item(id);
        if (!control) continue;
        RECT rect = ClientRectOf(hwnd(), control);
        OffsetRect(&rect, 0, delta);
        PlaceChild(control, rect);
    }

    GetWindowRect(hwnd(), &window);
    RECT detailsRect{};
    GetWindowRect(Item(IDC_MESSAGE_BOX_DETAILS_TEXT), &detailsRect);
    fullHeight_ = window.bottom - window.top;
    collapsedHeight_ = detailsRect.top - window.top;
    ApplyPaneHeight();
}

void MessageBoxDialog::ApplyPaneHeight() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    int height = details_.expanded() ? fullHeight_ : collapsedHeight_;
    SetWindowPos(hwnd(), nullptr, window.left, window.top, window.right - window.left, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A collapsed pane is out of sight: Tab must not reach it.
    ShowWindow(Item(IDC_MESSAGE_BOX_DETAILS_TEXT), details_.expanded() ? SW_SHOW : SW_HIDE);
    Centre();
}

void MessageBoxDialog::Centre() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT area = workArea;
    HWND owner = GetWindow(hwnd(), GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
    RECT window{};
    GetWindowRect(hwnd(), &window);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    PixelRect placed = CentreIn(ToPixelRect(area), width, height);
    // Over an owner near the screen's edge the box still opens where it can be read.
    if (placed.left + width > workArea.right) placed.left = workArea.right - width;
    if (placed.top + height > workArea.bottom) placed.top = workArea.bottom - height;
    if (placed.left < workArea.left) placed.left = workArea.left;
    if (placed.top < workArea.top) placed.top = workArea.top;
    SetWindowPos(hwnd(), nullptr, placed.left, placed.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void MessageBoxDialog::OnSlot(int slot) {
    if (!buttons_.Slot(slot).visible) return;
    Finish(buttons_.Slot(slot).result);
}

void MessageBoxDialog::OnDetails() {
    if (!request_.detailsEnabled) return;
    if (std::optional<int> topic = details_.Click()) {
        OpenHelpTopic(*topic);
        return;
    }
    SetWindowTextW(Item(IDC_MESSAGE_BOX_DETAILS_BUTTON),
                   WidenUiText(LoadUiString(details_.ButtonTextId())).c_str());
    ApplyPaneHeight();
}

void MessageBoxDialog::EscapeOrClose() {
    if (buttons_.escapeResult == 0) return;
    Finish(buttons_.escapeResult);
}

void MessageBoxDialog::Finish(int result) {
    answer_.checked = IsDlgButtonChecked(hwnd(), IDC_MESSAGE_BOX_CHECK) == BST_CHECKED;
    if (input_) answer_.text = GetWindowTextIn(Item(IDC_MESSAGE_BOX_INPUT), UiCodePage());
    answer_.result = result;
    End(result);
}

namespace {

// A question belongs to the window it speaks for, whether or not that window is active: as
// its owner it is disabled while the question is open, so it takes no commands meanwhile.
HWND QuestionOwner() {
    HWND speaking = Dialog::SpeakingWindow();
    return speaking ? speaking : GetActiveWindow();
}

}  // namespace

MessageAnswer MessageBoxService::ShowMessage(const MessageRequest& request) {
    MessageBoxDialog dialog(request);
    return dialog.Run(QuestionOwner());
}

MessageAnswer MessageBoxService::AskText(const MessageRequest& request, const std::string& initialText) {
    MessageBoxDialog dialog(request, initialText);
    return dialog.Run(QuestionOwner());
}

}  // namespace zelvo
