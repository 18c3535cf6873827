#include "app/win/profile_dialogs.h"

#include <commctrl.h>
#include <commdlg.h>

#include <utility>

#include "app/font_size_input.h"
#include "app/language_table.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/file_dialogs.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// The one display mode a profile keeps: the record stores every other value as 1.
constexpr int kStoredDisplayMode = 1;

void SetItemText(HWND dialog, int id, const std::string& text) {
    Control(GetDlgItem(dialog, id)).SetText(text, UiCodePage());
}

std::string ItemText(HWND dialog, int id) {
    return Control(GetDlgItem(dialog, id)).Text(UiCodePage());
}

bool Checked(HWND dialog, int id) {
    return Button(GetDlgItem(dialog, id)).IsChecked();
}

void Check(HWND dialog, int id, bool checked) {
    Button(GetDlgItem(dialog, id)).SetChecked(checked);
}

void EnableItem(HWND dialog, int id, bool enabled) {
    Control(GetDlgItem(dialog, id)).Enable(enabled);
}

int Selected(HWND dialog, int id) {
    return ComboBox(GetDlgItem(dialog, id)).Selected();
}

// The notice after the profile that fills the list.
void ShowLastProfileNotice() {
    MessageRequest request;
    request.text = LoadUiString(IDS_DIALOG_PI_PROMPT_LAST_PROFILE, std::to_string(kMaximumProfileCount));
    request.style = kMbOk | kMbIconInformation;
    ShowMessage(request);
}

// A new user profile from the window's state.
Profile NewProfileOfWindow(const ProfileList& list, const ProfileWindowHost& host) {
    Profile captured = DefaultProfile(host.context);
    host.capture(captured);
    return NewUserProfile(list, std::move(captured));
}

}  // namespace

// ---- Background ----

BackgroundDialog::BackgroundDialog(const Profile& record, std::string defaultImagePath)
    : Dialog(IDD_BACKGROUND), record_(record), defaultImagePath_(std::move(defaultImagePath)) {
    SetLabels({{IDC_BK_IMAGE_GROUP, IDS_DIALOG_BACKGROUND_BACKGROUND_IMAGE},
               {IDC_BK_IMAGE_ON, IDS_DIALOG_BACKGROUND_ENABLE_BACKGROUND_IMAGE_E},
               {IDC_BK_PATH_LABEL, IDS_DIALOG_BACKGROUND_IMAGE_FILE_PATH_P},
               {IDC_BK_DISPLAY_GROUP, IDS_DIALOG_BACKGROUND_DISPLAY},
               {IDC_BK_TILE, IDS_DIALOG_BACKGROUND_TILE},
               {IDC_BK_CENTER, IDS_DIALOG_BACKGROUND_CENTER},
               {IDC_BK_STRETCH, IDS_DIALOG_BACKGROUND_STRETCH},
               {IDC_BK_SELECT_COLOR, IDS_DIALOG_BACKGROUND_SELECT_COLOR},
               {IDC_BK_RESET, IDS_DIALOG_BACKGROUND_RESET},
               {IDOK, IDS_DIALOG_OK},
               {IDCANCEL, IDS_DIALOG_CANCEL}});
    imageOn_.onClick = [this] {
        EnableItem(hwnd(), IDC_BK_PATH, imageOn_.IsChecked());
        EnableItem(hwnd(), IDC_BK_BROWSE, imageOn_.IsChecked());
    };
    BindControl(IDC_BK_IMAGE_ON, imageOn_);
    BindCommand(IDC_BK_BROWSE, &BackgroundDialog::Browse);
    BindCommand(IDC_BK_SELECT_COLOR, &BackgroundDialog::PickColor);
    BindCommand(IDC_BK_RESET, [this](int, int) {
        record_.backgroundImageOn = true;
        record_.backgroundImagePath = defaultImagePath_;
        record_.backgroundColor = kDefaultBackgroundColor;
        Show();
    });
}

bool BackgroundDialog::OnInitDialog() {
    Control(hwnd()).SetText(LoadUiString(IDS_DIALOG_BACKGROUND_CAPTION), UiCodePage());
    font_ = UseUiFont(hwnd());
    // Only the mode the record keeps can be chosen: a profile stores no other.
    EnableItem(hwnd(), IDC_BK_TILE, false);
    EnableItem(hwnd(), IDC_BK_STRETCH, false);
    Show();
    return true;
}

void BackgroundDialog::Show() {
    imageOn_.SetChecked(record_.backgroundImageOn);
    Control(Item(IDC_BK_PATH)).SetText(record_.backgroundImagePath, SystemCodePage());
    imageOn_.onClick();
    Check(hwnd(), IDC_BK_CENTER, true);
    colorBrush_.Reset(CreateSolidBrush(static_cast<COLORREF>(record_.backgroundColor)));
    InvalidateRect(Item(IDC_BK_COLOR), nullptr, TRUE);
}

void BackgroundDialog::PickColor() {
    int color = record_.backgroundColor;
    if (!AskColorWithDialog(hwnd(), color)) return;
    record_.backgroundColor = color;
    colorBrush_.Reset(CreateSolidBrush(static_cast<COLORREF>(color)));
    InvalidateRect(Item(IDC_BK_COLOR), nullptr, TRUE);
}

void BackgroundDialog::Browse() {
    std::string path = Control(Item(IDC_BK_PATH)).Text(SystemCodePage());
    if (!AskFileNameWithDialog(hwnd(), false, LoadUiString(IDS_DIALOG_BACKGROUND_FILE_TYPE_BITMAP), {},
                               OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, path))
        return;
    Control(Item(IDC_BK_PATH)).SetText(path, SystemCodePage());
}

void BackgroundDialog::OnOk() {
    record_.backgroundImageOn = imageOn_.IsChecked();
    record_.backgroundImagePath = Control(Item(IDC_BK_PATH)).Text(SystemCodePage());
    record_.backgroundDisplay = kStoredDisplayMode;
    End(IDOK);
}

bool BackgroundDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    // The swatch shows the chosen colour.
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(IDC_BK_COLOR) && colorBrush_) {
        result = reinterpret_cast<INT_PTR>(colorBrush_.get());
        return true;
    }
    (void)wParam;
    return false;
}

// ---- Edit Profile ----

EditProfileDialog::EditProfileDialog(Profile profile, const ProfileList& list, int place,
                                     const ProfileWindowHost& host)
    : Dialog(IDD_EDIT_PROFILE), profile_(std::move(profile)), list_(list), place_(place), host_(host) {
    SetLabels({{IDC_EP_TITLE_LABEL, IDS_DIALOG_PI_TITLE_T},
               {IDC_EP_DESCRIPTION_LABEL, IDS_DIALOG_PI_DESCRIPTION_N},
               {IDC_EP_SYSTEM, IDS_DIALOG_PI_SYSTEM_RPOFILE},
               {IDC_EP_APPEAR, IDS_DIALOG_PI_APPEAR_IN_PROFILE_LIST_F},
               {IDC_EP_LANGUAGES_GROUP, IDS_DIALOG_PI_LANGUAGES},
               {IDC_EP_UI_LANGUAGE_SET, IDS_DIALOG_PI_LAN_UI_U},
               {IDC_EP_SOURCE_LANGUAGE_SET, IDS_DIALOG_PI_LAN_SOURCE_E},
               {IDC_EP_DESTINATION_LANGUAGE_SET, IDS_DIALOG_PI_LAN_DESTINATION_X},
               {IDC_EP_POSITION_GROUP, IDS_DIALOG_PI_POSITION},
               {IDC_EP_POSITION_SET, IDS_DIALOG_PI_POSITION_P},
               {IDC_EP_LEFT_LABEL, IDS_DIALOG_PI_LEFT_L},
               {IDC_EP_RIGHT_LABEL, IDS_DIALOG_PI_RIGHT_R},
               {IDC_EP_TOP_LABEL, IDS_DIALOG_PI_TOP_O},
               {IDC_EP_BOTTOM_LABEL, IDS_DIALOG_PI_BOTTOM_B},
               {IDC_EP_CENTERED, IDS_DIALOG_PI_CENTER_C},
               {IDC_EP_MAXIMIZED, IDS_DIALOG_PI_MAXIMIZED_M},
               {IDC_EP_ALWAYS_ON_TOP, IDS_DIALOG_PI_ALWAYS_ON_TOP_A},
               {IDC_EP_AREAS_GROUP, IDS_DIALOG_PI_EA_AND_FB},
               {IDC_EP_SOURCE_AREA, IDS_DIALOG_PI_SOURCE_EA_S},
               {IDC_EP_DESTINATION_AREA, IDS_DIALOG_PI_DESTINATION_EA_D},
               {IDC_EP_MENU_BAR, IDS_DIALOG_PI_MENU_BAR_1},
               {IDC_EP_SOURCE_BAR, IDS_DIALOG_PI_SOURCE_TOOLBAR_2},
               {IDC_EP_DESTINATION_BAR, IDS_DIALOG_PI_DESTINATION_TOOLBAR_3},
               {IDC_EP_STATUS_BAR, IDS_DIALOG_PI_STATUS_BAR_4},
               {IDC_EP_PROPORTION_SET, IDS_DIALOG_PI_PROPORTION_BETWEEN_SDEA_W},
               {IDC_EP_FONT_SIZE_SET, IDS_DIALOG_PI_FONT_SIZE_OPERATIONS},
               {IDC_EP_SOURCE_FONT_SET, IDS_DIALOG_ZELVO_SOURCE},
               {IDC_EP_DESTINATION_FONT_SET, IDS_DIALOG_ZELVO_DESTINATION},
               {IDC_EP_BACKGROUND_SET, IDS_DIALOG_PI_BACKGROUND_K},
               {IDC_EP_BACKGROUND_CONFIGURATION, IDS_DIALOG_PI_BACKGROUND_CONFIGURATION_G},
               {IDC_EP_APPLY_CURRENT, IDS_DIALOG_PI_APPLY_CURRENT_RPOFILE_Y},
               {IDC_EP_PREVIEW, IDS_DIALOG_PI_PREVIEW_V},
               {IDOK, IDS_DIALOG_OK},
               {IDCANCEL, IDS_DIALOG_CANCEL}});
    for (int id : {IDC_EP_TITLE, IDC_EP_DESCRIPTION, IDC_EP_APPEAR, IDC_EP_UI_LANGUAGE_SET, IDC_EP_UI_LANGUAGE,
                   IDC_EP_SOURCE_LANGUAGE_SET, IDC_EP_SOURCE_LANGUAGE, IDC_EP_DESTINATION_LANGUAGE_SET,
                   IDC_EP_DESTINATION_LANGUAGE, IDC_EP_POSITION_SET, IDC_EP_LEFT, IDC_EP_RIGHT, IDC_EP_TOP,
                   IDC_EP_BOTTOM, IDC_EP_CENTERED, IDC_EP_MAXIMIZED, IDC_EP_ALWAYS_ON_TOP, IDC_EP_SOURCE_AREA,
                   IDC_EP_DESTINATION_AREA, IDC_EP_MENU_BAR, IDC_EP_SOURCE_BAR, IDC_EP_DESTINATION_BAR,
                   IDC_EP_STATUS_BAR, IDC_EP_PROPORTION_SET, IDC_EP_PROPORTION, IDC_EP_FONT_SIZE_SET,
                   IDC_EP_SOURCE_FONT_SET, IDC_EP_SOURCE_FONT, IDC_EP_DESTINATION_FONT_SET,
                   IDC_EP_DESTINATION_FONT, IDC_EP_BACKGROUND_SET})
        BindCommand(id, [this](int id, int code) { OnFieldChange(id, code); });
    BindCommand(IDC_EP_APPLY_CURRENT, &EditProfileDialog::ApplyCurrent);
    BindCommand(IDC_EP_PREVIEW, &EditProfileDialog::Preview);
    BindCommand(IDC_EP_BACKGROUND_CONFIGURATION, &EditProfileDialog::ConfigureBackground);
}

std::vector<int> EditProfileDialog::UiLanguageLcids() const {
    std::vector<int> lcids;
    for (const UiLanguageChoice& choice : host_.uiLanguages) lcids.push_back(choice.lcid);
    return lcids;
}

bool EditProfileDialog::OnInitDialog() {
    const int codePage = UiCodePage();
    Control(hwnd()).SetText(LoadUiString(IDS_DIALOG_PI_CAPTION), codePage);
    font_ = UseUiFont(hwnd());
    ComboBox uiLanguages(Item(IDC_EP_UI_LANGUAGE));
    for (const UiLanguageChoice& choice : host_.uiLanguages) uiLanguages.Add(choice.name, choice.nameCodePage);
    uiLanguages.SetDroppedWidth(220);
    for (int id : {IDC_EP_SOURCE_LANGUAGE, IDC_EP_DESTINATION_LANGUAGE}) {
        ComboBox languages(Item(id));
        for (const std::string& name : LanguageNames()) languages.Add(name, codePage);
        languages.SetDroppedWidth(220);
    }
    for (int id : {IDC_EP_SOURCE_FONT, IDC_EP_DESTINATION_FONT}) {
        ComboBox sizes(Item(id));
        for (const FontSizeItem& item : FontSizeItems()) sizes.Add(item.text, codePage);
    }
    SpinButton(Item(IDC_EP_PROPORTION_SPIN)).SetRange(0, 100);
    // A built-in profile stays one; its title follows the UI language.
    EnableItem(hwnd(), IDC_EP_SYSTEM, false);
    ShowForm(FormOfProfile(profile_, UiLanguageLcids()));
    return true;
}

void EditProfileDialog::ShowForm(const ProfileForm& form) {
    filling_ = true;
    HWND w = hwnd();
    SetItemText(w, IDC_EP_TITLE, form.title);
    SetItemText(w, IDC_EP_DESCRIPTION, form.description);
    Check(w, IDC_EP_SYSTEM, form.isSystem);
    Check(w, IDC_EP_APPEAR, form.appearInMenu);
    Check(w, IDC_EP_UI_LANGUAGE_SET, form.setUiLanguage);
    ComboBox(Item(IDC_EP_UI_LANGUAGE)).Select(form.uiLanguage);
    Check(w, IDC_EP_SOURCE_LANGUAGE_SET, form.setSourceLanguage);
    ComboBox(Item(IDC_EP_SOURCE_LANGUAGE)).Select(form.sourceLanguage);
    Check(w, IDC_EP_DESTINATION_LANGUAGE_SET, form.setDestinationLanguage);
    ComboBox(Item(IDC_EP_DESTINATION_LANGUAGE)).Select(form.destinationLanguage);
    Check(w, IDC_EP_POSITION_SET, form.setPosition);
    SetItemText(w, IDC_EP_LEFT, form.left);
    SetItemText(w, IDC_EP_RIGHT, form.right);
    SetItemText(w, IDC_EP_TOP, form.top);
    SetItemText(w, IDC_EP_BOTTOM, form.bottom);
    Check(w, IDC_EP_CENTERED, form.centered);
    Check(w, IDC_EP_MAXIMIZED, form.maximized);
    Check(w, IDC_EP_ALWAYS_ON_TOP, form.alwaysOnTop);
    Check(w, IDC_EP_SOURCE_AREA, form.showSourceArea);
    Check(w, IDC_EP_DESTINATION_AREA, form.showDestinationArea);
    Check(w, IDC_EP_MENU_BAR, form.showMenuBar);
    Check(w, IDC_EP_SOURCE_BAR, form.showSourceBar);
    Check(w, IDC_EP_DESTINATION_BAR, form.showDestinationBar);
    Check(w, IDC_EP_STATUS_BAR, form.showStatusBar);
    Check(w, IDC_EP_PROPORTION_SET, form.setProportion);
    SetItemText(w, IDC_EP_PROPORTION, form.proportion);
    Check(w, IDC_EP_FONT_SIZE_SET, form.setFontSize);
    Check(w, IDC_EP_SOURCE_FONT_SET, form.setSourceFontSize);
    SetItemText(w, IDC_EP_SOURCE_FONT, form.sourceFontSize);
    Check(w, IDC_EP_DESTINATION_FONT_SET, form.setDestinationFontSize);
    SetItemText(w, IDC_EP_DESTINATION_FONT, form.destinationFontSize);
    Check(w, IDC_EP_BACKGROUND_SET, form.setBackground);
    filling_ = false;
    Refresh();
}

ProfileForm EditProfileDialog::ReadForm() const {
    HWND w = hwnd();
    ProfileForm form;
    form.title = ItemText(w, IDC_EP_TITLE);
    form.description = ItemText(w, IDC_EP_DESCRIPTION);
    form.isSystem = profile_.isSystem;
    form.appearInMenu = Checked(w, IDC_EP_APPEAR);
    form.setUiLanguage = Checked(w, IDC_EP_UI_LANGUAGE_SET);
    form.uiLanguage = Selected(w, IDC_EP_UI_LANGUAGE);
    form.setSourceLanguage = Checked(w, IDC_EP_SOURCE_LANGUAGE_SET);
    form.sourceLanguage = Selected(w, IDC_EP_SOURCE_LANGUAGE);
    form.setDestinationLanguage = Checked(w, IDC_EP_DESTINATION_LANGUAGE_SET);
    form.destinationLanguage = Selected(w, IDC_EP_DESTINATION_LANGUAGE);
    form.setPosition = Checked(w, IDC_EP_POSITION_SET);
    form.left = ItemText(w, IDC_EP_LEFT);
    form.right = ItemText(w, IDC_EP_RIGHT);
    form.top = ItemText(w, IDC_EP_TOP);
    form.bottom = ItemText(w, IDC_EP_BOTTOM);
    form.centered = Checked(w, IDC_EP_CENTERED);
    form.maximized = Checked(w, IDC_EP_MAXIMIZED);
    form.alwaysOnTop = Checked(w, IDC_EP_ALWAYS_ON_TOP);
    form.showSourceArea = Checked(w, IDC_EP_SOURCE_AREA);
    form.showDestinationArea = Checked(w, IDC_EP_DESTINATION_AREA);
    form.showMenuBar = Checked(w, IDC_EP_MENU_BAR);
    form.showSourceBar = Checked(w, IDC_EP_SOURCE_BAR);
    form.showDestinationBar = Checked(w, IDC_EP_DESTINATION_BAR);
    form.showStatusBar = Checked(w, IDC_EP_STATUS_BAR);
    form.setProportion = Checked(w, IDC_EP_PROPORTION_SET);
    form.proportion = ItemText(w, IDC_EP_PROPORTION);
    form.setFontSize = Checked(w, IDC_EP_FONT_SIZE_SET);
    form.setSourceFontSize = Checked(w, IDC_EP_SOURCE_FONT_SET);
    form.sourceFontSize = ItemText(w, IDC_EP_SOURCE_FONT);
    form.setDestinationFontSize = Checked(w, IDC_EP_DESTINATION_FONT_SET);
    form.destinationFontSize = ItemText(w, IDC_EP_DESTINATION_FONT);
    form.setBackground = Checked(w, IDC_EP_BACKGROUND_SET);
    return form;
}

void EditProfileDialog::OnFieldChange(int id, int notifyCode) {
    if (filling_) return;
    // A choice from a size list is in the box only after the notification: put it there first.
    if ((id == IDC_EP_SOURCE_FONT || id == IDC_EP_DESTINATION_FONT) && notifyCode == CBN_SELCHANGE) {
        ComboBox sizes(Item(id));
        const std::vector<FontSizeItem> items = FontSizeItems();
        const int chosen = sizes.Selected();
        if (chosen >= 0 && chosen < static_cast<int>(items.size())) {
            filling_ = true;
            sizes.SetText(items[static_cast<size_t>(chosen)].text, UiCodePage());
            filling_ = false;
        }
    }
    if (notifyCode == BN_CLICKED || notifyCode == EN_CHANGE || notifyCode == CBN_SELCHANGE ||
        notifyCode == CBN_EDITCHANGE)
        Refresh();
}

void EditProfileDialog::Refresh() {
    const ProfileForm form = ReadForm();
    const ProfileFormEnabling on = EnablingOf(form);
    HWND w = hwnd();
    Control(Item(IDC_EP_TITLE)).Enable(on.title);
    EnableItem(w, IDC_EP_UI_LANGUAGE, on.uiLanguage);
    EnableItem(w, IDC_EP_SOURCE_LANGUAGE, on.sourceLanguage);
    EnableItem(w, IDC_EP_DESTINATION_LANGUAGE, on.destinationLanguage);
    for (int id : {IDC_EP_LEFT_LABEL, IDC_EP_LEFT, IDC_EP_RIGHT_LABEL, IDC_EP_RIGHT, IDC_EP_TOP_LABEL, IDC_EP_TOP,
                   IDC_EP_BOTTOM_LABEL, IDC_EP_BOTTOM, IDC_EP_CENTERED, IDC_EP_MAXIMIZED, IDC_EP_ALWAYS_ON_TOP})
        EnableItem(w, id, on.position);
    EnableItem(w, IDC_EP_SOURCE_BAR, on.sourceToolbar);
    EnableItem(w, IDC_EP_DESTINATION_BAR, on.destinationToolbar);
    EnableItem(w, IDC_EP_PROPORTION_SET, on.proportionSwitch);
    for (int id : {IDC_EP_PROPORTION, IDC_EP_PROPORTION_SPIN, IDC_EP_DESTINATION_SHARE})
        EnableItem(w, id, on.proportion);
    EnableItem(w, IDC_EP_SOURCE_FONT_SET, on.sourceFontSwitch);
    EnableItem(w, IDC_EP_DESTINATION_FONT_SET, on.destinationFontSwitch);
    EnableItem(w, IDC_EP_SOURCE_FONT, on.sourceFontSize);
    EnableItem(w, IDC_EP_DESTINATION_FONT, on.destinationFontSize);
    EnableItem(w, IDC_EP_BACKGROUND_CONFIGURATION, on.backgroundConfiguration);
    SetItemText(w, IDC_EP_DESTINATION_SHARE, DestinationShareText(form.proportion));
    failures_ = ProfileFormFailures(form, list_, place_, host_.screen);
    SetItemText(w, IDC_EP_CHECKS, ProfileCheckText(failures_));
    EnableItem(w, IDOK, failures_.empty());
}

void EditProfileDialog::ApplyCurrent() {
    if (!host_.capture) return;
    // The window part comes from the window; title, description, "Appear" and the
    // background stay as the fields have them.
    Profile filled = ProfileOfForm(ReadForm(), profile_, UiLanguageLcids());
    host_.capture(filled);
    ShowForm(FormOfProfile(filled, UiLanguageLcids()));
}

void EditProfileDialog::Preview() {
    if (!host_.apply || !host_.capture) return;
    if (!previewed_) {
        kept_ = DefaultProfile(host_.context);
        host_.capture(kept_);
        previewed_ = true;
    }
    Profile shown = ProfileOfForm(ReadForm(), profile_, UiLanguageLcids());
    host_.apply(shown);
}

void EditProfileDialog::ConfigureBackground() {
    BackgroundDialog background(profile_, host_.defaultImagePath);
    if (background.RunModal(hwnd()) != IDOK) return;
    // The switch is the dialog's own check box.
    const bool setBackground = profile_.setBackground;
    CopyBackground(background.record(), profile_);
    profile_.setBackground = setBackground;
}

void EditProfileDialog::OnOk() {
    Refresh();
    if (!failures_.empty()) return;
    profile_ = ProfileOfForm(ReadForm(), profile_, UiLanguageLcids());
    Finish(IDOK);
}

void EditProfileDialog::Finish(INT_PTR result) {
    if (previewed_ && host_.apply) {
        previewed_ = false;
        host_.apply(kept_);
    }
    End(result);
}

// ---- Profile Manager ----

ProfileManagerDialog::ProfileManagerDialog(ProfileList& list, const ProfileFiles& files,
                                           const ProfileWindowHost& host)
    : Dialog(IDD_PROFILE_MANAGER), list_(list), files_(files), host_(host), model_(list) {
    SetLabels({{IDC_PM_APPLY, IDS_TIP_APPLY},
               {IDC_PM_ADD, IDS_TIP_ADD},
               {IDC_PM_DELETE, IDS_TIP_DELETE},
               {IDC_PM_MODIFY, IDS_TIP_MODIFY},
               {IDC_PM_MOVE_UP, IDS_TIP_MOVE_UP},
               {IDC_PM_MOVE_DOWN, IDS_TIP_MOVE_DOWN},
               {IDC_PM_SAVE, IDS_TIP_SAVE},
               {IDC_PM_HELP, IDS_TIP_HELP},
               {IDC_PM_DETAILS_LABEL, IDS_PROFILE_DETAILS},
               {IDOK, IDS_DIALOG_OK},
               {IDCANCEL, IDS_DIALOG_CANCEL}});
    BindCommand(IDC_PM_APPLY, &ProfileManagerDialog::Apply);
    BindCommand(IDC_PM_ADD, &ProfileManagerDialog::Add);
    BindCommand(IDC_PM_DELETE, &ProfileManagerDialog::Delete);
    BindCommand(IDC_PM_MODIFY, &ProfileManagerDialog::Modify);
    BindCommand(IDC_PM_SAVE, &ProfileManagerDialog::Save);
    BindCommand(IDC_PM_HELP, [this](int, int) { OpenHelpTopic(HelpTopic()); });
    BindCommand(IDC_PM_MOVE_UP, [this](int, int) {
        if (model_.MoveUp()) FillList(model_.selected());
    });
    BindCommand(IDC_PM_MOVE_DOWN, [this](int, int) {
        if (model_.MoveDown()) FillList(model_.selected());
    });
    listView_.onSelectionChanged = [this](int row) { OnSelect(row); };
    listView_.onDoubleClick = [this](int row) {
        if (row >= 0) Modify();
    };
}

bool ProfileManagerDialog::OnInitDialog() {
    const int codePage = UiCodePage();
    Control(hwnd()).SetText(LoadUiString(IDS_DIALOG_PM_TITLE), codePage);
    font_ = UseUiFont(hwnd());
    listView_.Attach(hwnd(), IDC_PM_LIST);
    // The description takes the rest of the width, so the list needs no horizontal scrolling.
    constexpr int kIdWidth = 34, kTitleWidth = 120;
    RECT client{};
    GetClientRect(listView_.hwnd(), &client);
    const int rest = client.right - kIdWidth - kTitleWidth - GetSystemMetrics(SM_CXVSCROLL);
    listView_.AddColumn(LoadUiString(IDS_QXT_ID), kIdWidth);
    listView_.AddColumn(LoadUiString(IDS_PROFILE_TITLE), kTitleWidth);
    listView_.AddColumn(LoadUiString(IDS_PROFILE_DESCRIPTION), rest > 80 ? rest : 80);
    if (tips_.Create(hwnd())) {
        if (font_) tips_.SetFont(font_.get());
        for (auto [id, tip] : {std::pair{IDC_PM_APPLY, IDS_TIP_APPLY}, {IDC_PM_ADD, IDS_TIP_ADD},
                               {IDC_PM_DELETE, IDS_TIP_DELETE}, {IDC_PM_MODIFY, IDS_TIP_MODIFY},
                               {IDC_PM_MOVE_UP, IDS_TIP_MOVE_UP}, {IDC_PM_MOVE_DOWN, IDS_TIP_MOVE_DOWN},
                               {IDC_PM_SAVE, IDS_TIP_SAVE}, {IDC_PM_HELP, IDS_TIP_HELP}})
            tips_.SetTip(Item(id), LoadUiString(tip), codePage);
    }
    FillList(list_.empty() ? -1 : 0);
    return true;
}

bool ProfileManagerDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message == WM_NOTIFY && listView_.HandleNotify(reinterpret_cast<const NMHDR*>(lParam))) {
        result = 0;
        return true;
    }
    return false;
}

void ProfileManagerDialog::FillList(int select) {
    std::vector<ListRow> rows;
    for (std::vector<std::string>& cells : ProfileManagerRows(list_)) rows.push_back({std::move(cells), 0});
    filling_ = true;
    listView_.SetRows(rows);
    filling_ = false;
    model_.Select(select);
    if (model_.selected() >= 0) {
        filling_ = true;
        listView_.SelectRow(model_.selected());
        filling_ = false;
    }
    Refresh();
}

void ProfileManagerDialog::OnSelect(int row) {
    if (filling_) return;
    model_.Select(row);
    Refresh();
}

std::string ProfileManagerDialog::UiLanguageName(int lcid) const {
    for (const UiLanguageChoice& choice : host_.uiLanguages)
        if (choice.lcid == lcid) return choice.nameCodePage == UiCodePage() || choice.nameCodePage == 1252
                                           ? choice.name
                                           : std::string();
    return {};
}

void ProfileManagerDialog::Refresh() {
    const ProfileManagerButtons buttons = model_.Buttons();
    EnableItem(hwnd(), IDC_PM_APPLY, buttons.apply && host_.apply != nullptr);
    EnableItem(hwnd(), IDC_PM_ADD, buttons.add);
    EnableItem(hwnd(), IDC_PM_DELETE, buttons.remove);
    EnableItem(hwnd(), IDC_PM_MODIFY, buttons.modify);
    EnableItem(hwnd(), IDC_PM_MOVE_UP, buttons.moveUp);
    EnableItem(hwnd(), IDC_PM_MOVE_DOWN, buttons.moveDown);
    EnableItem(hwnd(), IDC_PM_SAVE, buttons.save);
    const Profile* chosen = model_.SelectedProfile();
    SetItemText(hwnd(), IDC_PM_DETAILS, chosen ? ProfileDetails(*chosen, UiLanguageName(chosen->uiLanguage)) : "");
}

void ProfileManagerDialog::Add() {
    if (!model_.CanAdd() || !host_.capture) return;
    EditProfileDialog edit(NewProfileOfWindow(list_, host_), list_, -1, host_);
    if (edit.RunModal(hwnd()) != IDOK) return;
    if (!model_.Add(edit.profile())) return;
    FillList(model_.selected());
    if (model_.AtLimit()) ShowLastProfileNotice();
}

void ProfileManagerDialog::Delete() {
    if (!model_.Buttons().remove) return;
    MessageRequest request;
    request.text = LoadUiString(IDS_DIALOG_PM_PROMPT_DELETE_ITEM, LoadUiString(IDS_DIALOG_PI_PROFILE));
    request.style = kMbYesNo | kMbIconQuestion;
    if (ShowMessage(request).result != kIdYes) return;
    if (model_.RemoveSelected()) FillList(model_.selected());
}

void ProfileManagerDialog::Modify() {
    const Profile* chosen = model_.SelectedProfile();
    if (!chosen) return;
    EditProfileDialog edit(*chosen, list_, model_.selected(), host_);
    if (edit.RunModal(hwnd()) != IDOK) return;
    if (model_.ReplaceSelected(edit.profile())) FillList(model_.selected());
}

void ProfileManagerDialog::Apply() {
    const Profile* chosen = model_.SelectedProfile();
    if (!chosen || !host_.apply) return;
    Profile applied = *chosen;
    host_.apply(applied);
}

void ProfileManagerDialog::Save() {
    if (SaveProfileList(list_, files_)) model_.MarkSaved();
    Refresh();
}

void ProfileManagerDialog::OnOk() {
    // A list that cannot be written has been reported; the dialog stays open to try again.
    if (!SaveProfileList(list_, files_)) return;
    model_.MarkSaved();
    End(IDOK);
}

void ProfileManagerDialog::OnCancel() {
    LoadProfileList(list_, files_, host_.context);
    End(IDCANCEL);
}

bool SaveNewProfile(HWND owner, ProfileList& list, const ProfileFiles& files, const ProfileWindowHost& host) {
    if (static_cast<int>(list.size()) >= kMaximumProfileCount || !host.capture) return false;
    EditProfileDialog edit(NewProfileOfWindow(list, host), list, -1, host);
    if (edit.RunModal(owner) != IDOK) return false;
    list.push_back(edit.profile());
    SaveProfileList(list, files);
    if (static_cast<int>(list.size()) == kMaximumProfileCount) ShowLastProfileNotice();
    return true;
}

}  // namespace zelvo
