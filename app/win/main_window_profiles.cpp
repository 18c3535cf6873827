// The main window and its profiles: the "Last" state applied at start and written when
// the window goes, the profile list behind the profile menus, and a profile applied when
// it is chosen there.
#include <windows.h>

#include <string>

#include "app/editor_app.h"
#include "app/language_table.h"
#include "app/view_settings.h"
#include "app/win/main_window.h"
#include "app/win/profile_dialogs.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/system_language.h"
#include "services/ui_language.h"
#include "transfer/profile.h"
#include "transfer/profile_list.h"

namespace zelvo {

namespace {

ScreenSize ScreenOfThisSystem() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

ProfileFiles MainWindow::ProfileFilesOfApp() const {
    return {app_.profileFile, app_.lastStateFile};
}

ProfileContext MainWindow::CurrentProfileContext() const {
    ProfileContext context;
    context.uiLanguage = app_.uiLcid;
    context.sourceLanguage = source_.languageIndex;
    context.destinationLanguage = destination_.languageIndex;
    context.languageCount = LanguageCount();
    const ScreenSize screen = ScreenOfThisSystem();
    context.screenWidth = screen.width;
    context.screenHeight = screen.height;
    context.appFolder = app_.appFolder;
    return context;
}

WindowState MainWindow::CurrentWindowState() const {
    WindowState state;
    state.view = view_;
    state.uiLcid = app_.uiLcid;
    state.sourceLanguage = source_.languageIndex;
    state.destinationLanguage = destination_.languageIndex;
    state.sourceFontSize = source_.fontPoints;
    state.destinationFontSize = destination_.fontPoints;
    // A maximised or minimised window is kept by the place it has when restored.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT rect{};
    if ((IsZoomed(hwnd()) || IsIconic(hwnd())) && GetWindowPlacement(hwnd(), &placement))
        rect = placement.rcNormalPosition;
    else
        GetWindowRect(hwnd(), &rect);
    state.rect = {rect.left, rect.top, rect.right, rect.bottom};
    state.maximized = IsZoomed(hwnd()) != FALSE;
    return state;
}

void MainWindow::ApplyProfile(Profile& record) {
    ProfileApplication how;
    how.screen = ScreenOfThisSystem();
    how.windowInitialised = initialised_;
    how.launchIndex = launchIndex_;
    const ViewSettingsChange change = ApplyProfileToWindow(record, CurrentWindowState(), how);

    if (change.switchUiLanguage) {
        for (size_t i = 0; i < app_.uiLanguageLcids.size(); ++i)
            if (static_cast<int>(ParseHex(app_.uiLanguageLcids[i])) == change.uiLanguage)
                SwitchUiLanguageTo(static_cast<int>(i));
    }
    for (EditArea area : {EditArea::kSource, EditArea::kDestination}) {
        const LanguageChoice& choice =
            area == EditArea::kSource ? change.sourceLanguage : change.destinationLanguage;
        if (!choice.changed) continue;
        if (choice.select && initialised_) {
            SelectLanguage(area, choice.index);
        } else {
            // Before the window is up the text is empty: the row and its font are enough.
            SetAreaLanguage(AreaOf(area), choice.index);
            AreaOf(area).selector.Select(choice.index);
            ApplyAreaFont(AreaOf(area));
        }
    }
    const bool onTopBefore = view_.alwaysOnTop;
    view_ = change.view;
    ApplyViewState();
    if (change.placeWindow) {
        const WindowPlacement& place = change.placement;
        if (place.restore && IsZoomed(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
        RECT now{};
        GetWindowRect(hwnd(), &now);
        const ScreenRect& target = place.rect;
        if (now.left != target.left || now.top != target.top || now.right != target.right ||
            now.bottom != target.bottom)
            SetWindowPos(hwnd(), nullptr, target.left, target.top, target.Width(), target.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        // Before the window is up it is maximised once it has been laid out.
        if (place.maximize && !IsZoomed(hwnd())) {
            if (initialised_)
                ShowWindow(hwnd(), SW_MAXIMIZE);
            else
                startMaximized_ = true;
        }
    }
    if (change.placeWindow || view_.alwaysOnTop != onTopBefore) {
        SetWindowPos(hwnd(), view_.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RefreshToolTips();
    }
    SetFontPoints(EditArea::kSource, change.sourceFontSize);
    SetFontPoints(EditArea::kDestination, change.destinationFontSize);
    if (change.layoutAgain) LayOutNow();
    Refresh();
}

void MainWindow::ApplyLastState() {
    Profile last = DefaultProfile(CurrentProfileContext());
    ReadProfile(last, kLastProfileSection, true, ProfileFilesOfApp(), CurrentProfileContext());
    // The window does not draw a background; the "Last" record keeps its settings for the
    // Background dialog and the next start.
    background_ = last;
    ApplyProfile(last);
}

void MainWindow::SaveLastState() {
    ProfileContext context = CurrentProfileContext();
    Profile last = DefaultProfile(context);
    CaptureWindowState(CurrentWindowState(), {context.screenWidth, context.screenHeight}, last);
    CopyBackground(background_, last);
    SaveLastProfile(last, ProfileFilesOfApp());
}

ProfileWindowHost MainWindow::ProfileHost() {
    ProfileWindowHost host;
    host.context = CurrentProfileContext();
    host.screen = {host.context.screenWidth, host.context.screenHeight};
    host.capture = [this](Profile& record) {
        const ScreenSize screen = ScreenOfThisSystem();
        CaptureWindowState(CurrentWindowState(), screen, record);
    };
    host.apply = [this](Profile& record) { ApplyProfile(record); };
    for (size_t i = 0; i < app_.uiLanguageNames.size() && i < app_.uiLanguageLcids.size(); ++i)
        host.uiLanguages.push_back({app_.uiLanguageNames[i], static_cast<int>(ParseHex(app_.uiLanguageLcids[i])),
                                    NameCodePageOfUiLanguage(app_.uiLanguageLcids[i])});
    host.defaultImagePath = DefaultProfile(host.context).backgroundImagePath;
    return host;
}

void MainWindow::OpenProfileManager() {
    const ProfileWindowHost host = ProfileHost();
    ProfileManagerDialog manager(profiles_, ProfileFilesOfApp(), host);
    manager.RunModal(hwnd());
    // The profile menus and Save Profile's enabling follow the list as it now is.
    Refresh();
}

void MainWindow::SaveProfileOfWindow() {
    const ProfileWindowHost host = ProfileHost();
    SaveNewProfile(hwnd(), profiles_, ProfileFilesOfApp(), host);
    Refresh();
}

void MainWindow::ConfigureBackground() {
    BackgroundDialog dialog(background_, ProfileHost().defaultImagePath);
    if (dialog.RunModal(hwnd()) == IDOK) CopyBackground(dialog.record(), background_);
}

void MainWindow::LoadProfiles() {
    LoadProfileList(profiles_, ProfileFilesOfApp(), CurrentProfileContext());
}

void MainWindow::ApplyProfileOfMenu(int id) {
    const size_t place = static_cast<size_t>(id - IDM_PROFILE_FIRST);
    if (place >= profiles_.size()) return;
    Profile chosen = profiles_[place];
    ApplyProfile(chosen);
}

}  // namespace zelvo
