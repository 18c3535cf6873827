#include "transfer/win/find_replace_dialog.h"

#include <optional>
#include <utility>

#include "resources/resource.h"
#include "services/codepage_codec.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

constexpr UINT kUpdateButtonsMessage = WM_APP + 1;

// Rectangle of a window on the screen.
RECT ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(bool isSourceArea) : Dialog(IDD_FIND_REPLACE), isSourceArea_(isSourceArea) {
    SetLabels({{IDC_FR_FIND_LABEL, IDS_DIALOG_FR_FIND_WHAT_F},
               {IDC_FR_REPLACE_LABEL, IDS_DIALOG_FR_REPLACE_WITH_P},
               {IDC_FR_WHOLE_WORD, IDS_DIALOG_FR_MATCH_WHOLE_WORD_M},
               {IDC_FR_MATCH_CASE, IDS_DIALOG_FR_MATCH_CASE_C},
               {IDC_FR_ENABLE_REPLACE, IDS_DIALOG_FR_ENABLE_REPLACE_E},
               {IDC_FR_DIRECTION_GROUP, IDS_DIALOG_FR_DIRECTION},
               {IDC_FR_UP, IDS_DIALOG_FR_UP_U},
               {IDC_FR_DOWN, IDS_DIALOG_FR_DOWN_D},
               {IDC_FR_WHERE_GROUP, IDS_DIALOG_FR_WHERE_TO_FIND_REPLACE},
               {IDC_FR_SELECTION, IDS_DIALOG_FR_CURRENT_SELECTION_S},
               {IDC_FR_WHOLE_FILE, IDS_DIALOG_FR_WHOLE_FILE_W},
               {IDC_FR_FIND_NEXT, IDS_DIALOG_FR_FIND_NEXT_N},
               {IDC_FR_FIND_COUNT, IDS_DIALOG_FR_FIND_COUNT_O},
               {IDC_FR_REPLACE, IDS_DIALOG_FR_REPLACE_R},
               {IDC_FR_REPLACE_ALL, IDS_DIALOG_FR_REPLACE_ALL_A},
               {IDCANCEL, IDS_DIALOG_FR_CLOSE_L}});
    BindControl(IDC_FR_FIND_TEXT, find_);
    BindControl(IDC_FR_REPLACE_TEXT, replace_);
    for (auto [id, button] : {std::pair{IDC_FR_WHOLE_WORD, &wholeWord_}, {IDC_FR_MATCH_CASE, &matchCase_},
                              {IDC_FR_ENABLE_REPLACE, &enableReplace_}, {IDC_FR_UP, &up_}, {IDC_FR_DOWN, &down_},
                              {IDC_FR_SELECTION, &selectionScope_}, {IDC_FR_WHOLE_FILE, &wholeFileScope_}}) {
        button->onClick = [this] {
            ReadOptions();
            UpdateButtons();
        };
        BindControl(id, *button);
    }
    // A history item chosen from the list is the text the buttons go by.
    // The box's text changes after the notification, so the buttons follow a moment later.
    find_.onSelectionChange = [this] { PostMessageW(hwnd(), kUpdateButtonsMessage, 0, 0); };
    replace_.onSelectionChange = [this] { PostMessageW(hwnd(), kUpdateButtonsMessage, 0, 0); };
    BindCommand(IDC_FR_FIND_NEXT, &FindReplaceDialog::FindNextCommand);
    BindCommand(IDC_FR_FIND_COUNT, &FindReplaceDialog::FindCountCommand);
    BindCommand(IDC_FR_REPLACE, &FindReplaceDialog::ReplaceCommand);
    BindCommand(IDC_FR_REPLACE_ALL, &FindReplaceDialog::ReplaceAllCommand);
}

FindReplaceDialog::~FindReplaceDialog() {
    // The base class destroys the window without its handlers; the settings go first.
    if (hwnd()) SaveSettings();
}

bool FindReplaceDialog::Create(HWND owner, TextEdit& area) {
    area_ = &area;
    boxCodePage_ = area.codePage();
    settings_ = ReadFindReplaceSettings(isSourceArea_);
    return CreateModeless(owner);
}

bool FindReplaceDialog::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message != kUpdateButtonsMessage) return false;
    UpdateButtons();
    result = TRUE;
    return true;
}

bool FindReplaceDialog::OnInitDialog() {
    ShowOptions();
    FillHistory(find_, settings_.findHistory);
    FillHistory(replace_, settings_.replaceHistory);
    UpdateButtons();
    return true;
}

void FindReplaceDialog::RelabelControls() {
    Dialog::RelabelControls();
    Control(hwnd()).SetText(LoadUiString(isSourceArea_ ? IDS_DIALOG_FR_TITLE_SOURCE : IDS_DIALOG_FR_TITLE_DESTINATION),
                            UiCodePage());
    // Labels draw in a font of the UI language; the two boxes in one of the area's.
    // The fonts the controls use now are freed only once they have the new ones.
    UniqueFont uiFont = FontLike(hwnd(), CharsetOfCodePage(UiCodePage()));
    if (uiFont) SetFontOfChildren(hwnd(), uiFont.get());
    std::swap(uiFont_, uiFont);
    ApplyBoxFonts();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void FindReplaceDialog::ApplyBoxFonts() {
    UniqueFont font = FontLike(hwnd(), CharsetOfCodePage(boxCodePage_));
    if (!font) return;
    find_.SetFont(font.get(), true);
    replace_.SetFont(font.get(), true);
    std::swap(boxFont_, font);
}

void FindReplaceDialog::AreaCodePageChanged() {
    if (!area_ || !hwnd() || area_->codePage() == boxCodePage_) return;
    // The typed texts are bytes: they are taken in the old code page and shown in the new.
    const std::string find = BoxText(find_);
    const std::string replace = BoxText(replace_);
    boxCodePage_ = area_->codePage();
    ApplyBoxFonts();
    FillHistory(find_, settings_.findHistory);
    FillHistory(replace_, settings_.replaceHistory);
    SetBoxText(find_, find);
    SetBoxText(replace_, replace);
    UpdateButtons();
}

std::string FindReplaceDialog::BoxText(const ComboBox& box) const {
    return box.Text(boxCodePage_);
}

void FindReplaceDialog::SetBoxText(ComboBox& box, std::string_view bytes) {
    box.SetText(bytes, boxCodePage_);
}

void FindReplaceDialog::FillHistory(ComboBox& box, const std::vector<std::string>& history) {
    box.Reset();
    for (const std::string& item : history) box.Add(item, boxCodePage_);
}

void FindReplaceDialog::UseText(ComboBox& box, std::vector<std::string>& history, const std::string& text) {
    MoveToHistoryTop(history, text, boxCodePage_);
    FillHistory(box, history);
    SetBoxText(box, text);
}

void FindReplaceDialog::ShowOptions() {
    wholeWord_.SetChecked(settings_.matchWholeWord);
    matchCase_.SetChecked(settings_.matchCase);
    enableReplace_.SetChecked(settings_.enableReplace);
    up_.SetChecked(settings_.searchUp);
    down_.SetChecked(!settings_.searchUp);
    selectionScope_.SetChecked(settings_.whereScope == kWhereSelection);
    wholeFileScope_.SetChecked(settings_.whereScope != kWhereSelection);
}

void FindReplaceDialog::ReadOptions() {
    if (!hwnd()) return;
    settings_.matchWholeWord = wholeWord_.IsChecked();
    settings_.matchCase = matchCase_.IsChecked();
    settings_.enableReplace = enableReplace_.IsChecked();
    settings_.searchUp = up_.IsChecked();
    settings_.whereScope = selectionScope_.IsChecked() ? kWhereSelection : kWhereWholeFile;
}

SearchInput FindReplaceDialog::Search::Input() const {
    return SearchInput{text, selection.start, selection.end, find, replace, codePage};
}

FindReplaceDialog::Search FindReplaceDialog::TakeSearch() const {
    Search search;
    search.codePage = area_->codePage();
    search.text = area_->Bytes();
    search.selection = area_->SelectionInBytes();
    search.find = BoxText(find_);
    search.replace = BoxText(replace_);
    return search;
}

void FindReplaceDialog::UpdateButtons() {
    if (!hwnd()) return;
    const bool attached = area_ && *area_;
    // The rules ask only whether there is text and whether the selection is empty; the
    // refresh runs several times a second, so the area's text itself is not read here.
    const TextEdit::Selection selection = attached ? area_->CharacterSelection() : TextEdit::Selection{};
    const std::string find = BoxText(find_);
    const std::string replace = BoxText(replace_);
    SearchInput input;
    input.text = attached && area_->Length() > 0 ? std::string_view("-") : std::string_view();
    input.selStart = static_cast<size_t>(selection.start);
    input.selEnd = static_cast<size_t>(selection.end);
    input.find = find;
    input.replace = replace;
    const FindReplaceButtons buttons = ButtonStatesFor(attached, input, settings_);
    Control(Item(IDC_FR_REPLACE_LABEL)).Enable(buttons.replaceWith);
    replace_.Enable(buttons.replaceWith);
    Control(Item(IDC_FR_FIND_NEXT)).Enable(buttons.findNext);
    Control(Item(IDC_FR_FIND_COUNT)).Enable(buttons.findNext);
    Control(Item(IDC_FR_REPLACE)).Enable(buttons.replace);
    Control(Item(IDC_FR_REPLACE_ALL)).Enable(buttons.replace);
}

void FindReplaceDialog::Open() {
    if (!hwnd() || !area_) return;
    ReadOptions();
    const Search search = TakeSearch();
    const std::string word = SearchWordOnOpen(search.Input(), settings_.findHistory);
    if (!placed_) Place();
    shown_ = true;
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetBoxText(find_, word);
    find_.SelectEditText();
    SetFocus(find_.hwnd());
    UpdateButtons();
}

void FindReplaceDialog::Place() {
    const RECT own = ScreenRectOf(hwnd());
    const RECT area = ScreenRectOf(area_->hwnd());
    const WindowPoint point = FindWindowPlacement(settings_, own.right - own.left, own.bottom - own.top,
                                                  ScreenRect{area.left, area.top, area.right, area.bottom},
                                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(hwnd(), nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    placed_ = true;
}

void FindReplaceDialog::Hide() {
    if (!hwnd()) return;
    shown_ = false;
    SaveSettings();
    ShowWindow(hwnd(), SW_HIDE);
}

bool FindReplaceDialog::IsShown() const {
    return hwnd() && shown_ && IsWindowVisible(hwnd());
}

void FindReplaceDialog::SaveSettings() {
    if (!hwnd()) return;
    ReadOptions();
    if (placed_) {
        const RECT own = ScreenRectOf(hwnd());
        const WindowPoint point =
            ClampToScreen({own.left, own.top}, own.right - own.left, own.bottom - own.top,
                          GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        settings_.posX = point.x;
        settings_.posY = point.y;
    }
    WriteFindReplaceSettings(isSourceArea_, settings_, shown_);
}

int FindReplaceDialog::MessageCodePage() const {
    // The English UI's words are ASCII: its messages are written in the area's code page,
    // so the quoted text keeps its characters; a Chinese UI's in its own.
    if (UiLcid() == kLcidEnglish && HasLosslessCodec(boxCodePage_)) return boxCodePage_;
    return UiCodePage();
}

std::string FindReplaceDialog::AsUiText(std::string_view bytes) const {
    const int codePage = MessageCodePage();
    if (boxCodePage_ == codePage) return std::string(bytes);
    return NarrowText(WidenText(bytes, boxCodePage_), codePage);
}

void FindReplaceDialog::Say(const std::string& text, unsigned style) {
    // The question is this window's: it is disabled while the box is open, and the box
    // opens over it rather than over the main window.
    BeginSpeakingFor(hwnd());
    MessageRequest request;
    request.text = text;
    request.style = style;
    if (MessageCodePage() != UiCodePage()) request.textCodePage = MessageCodePage();
    ShowMessage(request);
    EndSpeakingFor(hwnd());
}

void FindReplaceDialog::FocusArea() {
    area_->ScrollCaret();
    SetFocus(area_->hwnd());
}

std::optional<FindReplaceDialog::Search> FindReplaceDialog::BeginCommand(bool replacing) {
    if (!area_ || !area_->hwnd()) return std::nullopt;
    AreaCodePageChanged();
    ReadOptions();
    Search search = TakeSearch();
    if (replacing && !settings_.enableReplace) return std::nullopt;
    if (!CanSearch(true, search.Input(), settings_.whereScope)) return std::nullopt;
    if (replacing && search.find == search.replace) {
        Say(LoadUiString(IDS_DIALOG_FR_MSG_FS_SHOULD_DIFFER_FROM_RS), kMbOk | kMbIconWarning);
        return std::nullopt;
    }
    UseText(find_, settings_.findHistory, search.find);
    if (replacing) UseText(replace_, settings_.replaceHistory, search.replace);
    return search;
}

void FindReplaceDialog::FindNextCommand() {
    const auto search = BeginCommand(false);
    if (!search) return;
    if (const auto match = FindNext(search->Input(), settings_)) {
        area_->SelectBytes(match->start, match->end);
        FocusArea();
    } else {
        Say(NotFoundMessage(AsUiText(search->find)), kMbOk | kMbIconInformation);
    }
    UpdateButtons();
}

void FindReplaceDialog::FindCountCommand() {
    const auto search = BeginCommand(false);
    if (!search) return;
    const size_t count = FindCount(search->Input(), settings_);
    Say(FindCountMessage(count, AsUiText(search->find), settings_.whereScope == kWhereSelection),
        kMbOk | kMbIconInformation);
}

void FindReplaceDialog::ReplaceCommand() {
    const auto search = BeginCommand(true);
    if (!search) return;
    if (const auto edit = ReplaceNext(search->Input(), settings_)) {
        area_->SelectBytes(edit->start, edit->end);
        area_->ReplaceSelection(edit->replacement);
        area_->SelectBytes(edit->start, edit->start + edit->replacement.size());
        FocusArea();
    } else {
        Say(NotFoundMessage(AsUiText(search->find)), kMbOk | kMbIconInformation);
    }
    UpdateButtons();
}

void FindReplaceDialog::ReplaceAllCommand() {
    const auto search = BeginCommand(true);
    if (!search) return;
    if (onBusy) onBusy(true);
    const ReplaceAllResult result = ReplaceAll(search->Input(), settings_);
    if (result.edit) {
        // One replacement of the whole range: one step of Undo brings it all back.
        area_->SelectBytes(result.edit->start, result.edit->end);
        area_->ReplaceSelection(result.edit->replacement);
        area_->ScrollCaret();
    }
    if (onBusy) onBusy(false);
    Say(ReplaceCountMessage(result.count, AsUiText(search->find), AsUiText(search->replace),
                            settings_.whereScope == kWhereSelection),
        kMbOk | kMbIconInformation);
    UpdateButtons();
}

}  // namespace zelvo
