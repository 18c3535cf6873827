// A modal property sheet: tabbed pages, each a dialog of its own with the command table and
// relabelling of the dialog base, which write their settings when the user confirms.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

// prsht.h names PropertySheetA or PropertySheetW through the macro PropertySheet; the class
// below takes the name, and the toolkit calls PropertySheetW by its own name. Included once
// (its guard), prsht.h does not bring the macro back.
#undef PropertySheet

#include <string>
#include <string_view>
#include <vector>

#include "services/win/toolkit/dialog.h"

namespace zelvo {

struct PropertySheetRun;

class PropertyPage : public Dialog {
  public:
    // A page from a template of the resources; the title (UI code page) names its tab, and an
    // empty title leaves the template's caption there.
    PropertyPage(int templateId, std::string title);
    // A page from a template built in memory, which must live until the sheet has closed.
    PropertyPage(const DLGTEMPLATE* pageTemplate, std::string title);

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

  protected:
    // OK or Apply, on every page opened so far. Return false, after telling the user why, to
    // keep the sheet open on this page; the pages after it are not asked then.
    virtual bool OnApply() { return true; }
    // The page holds changes not yet applied: the sheet enables its Apply button.
    void MarkChanged();

  private:
    friend class PropertySheet;
    // A page opens inside a sheet only and closes with it.
    using Dialog::CreateModeless;
    using Dialog::End;
    using Dialog::RunModal;

    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleSheetNotify(const NMHDR* header, INT_PTR& result);
    bool IsLastOpenPage() const;
    static void BeginRun(PropertySheetRun& run, HWND sheet);
    static void EndRun(PropertySheetRun& run);

    const DLGTEMPLATE* pageTemplate_ = nullptr;
    std::string title_;
    std::wstring wideTitle_;  // what the sheet reads while it runs
    PropertySheetRun* run_ = nullptr;
};

class PropertySheet {
  public:
    // Runs the sheet modally over owner (disabled meanwhile) with the caption in the UI code
    // page and the pages in tab order, the first one shown. True when the pages' changes were
    // applied: every open page accepted OK, or Apply before the sheet was cancelled.
    static bool Run(HWND owner, std::string_view caption, const std::vector<PropertyPage*>& pages);
};

}  // namespace zelvo
