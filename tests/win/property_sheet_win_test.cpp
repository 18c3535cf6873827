// The property sheet opened for real and answered as a user would: text typed into a page,
// tabs changed, OK, Apply and Cancel clicked. A thread timer finds the sheet by its caption
// inside the sheet's modal loop and plays one step per tick.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/strings/ui_string_ids.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/property_sheet.h"
#include "services/win/toolkit/win_text.h"
#include "tests/win/memory_dialog_template.h"
#include "tests/win/timed_steps.h"

namespace zelvo {
namespace {

constexpr WORD kEditId = 100;
constexpr WORD kButtonId = 101;
constexpr WORD kLabelId = 102;
constexpr int kApplyNowId = 0x3021;

using Step = TimedSteps::Step;

// A sheet still open after its steps is cancelled.
void CancelSheet(HWND sheet) {
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// A page with an edit, a button and a label; it reads the edit as GBK when applied.
class TextPage : public PropertyPage {
  public:
    TextPage(const DLGTEMPLATE* pageTemplate, std::string title)
        : PropertyPage(pageTemplate, std::move(title)) {
        SetLabels({{kLabelId, IDS_DIALOG_OPTIONS_GENERAL_MAXIMUM_COUNT_M}});
        BindCommand(kButtonId, &TextPage::OnButton);
    }

    int initialisations = 0;
    int applies = 0;
    int clicks = 0;
    int refusalsLeft = 0;
    std::string appliedText;

  protected:
    bool OnInitDialog() override {
        ++initialisations;
        return true;
    }
    bool OnApply() override {
        ++applies;
        appliedText = GetWindowTextIn(Item(kEditId), 936);
        if (refusalsLeft > 0) {
            --refusalsLeft;
            return false;
        }
        return true;
    }

  private:
    void OnButton() {
        ++clicks;
        MarkChanged();
    }
};

win_testing::MemoryDialogTemplate PageLayout() {
    win_testing::MemoryDialogTemplate layout(WS_CHILD | WS_CAPTION | DS_SHELLFONT, 220, 100, L"Page");
    layout.Add(L"STATIC", L"label", kLabelId, SS_LEFT, 5, 5, 200, 10);
    layout.Add(L"EDIT", L"", kEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 20, 200, 14);
    layout.Add(L"BUTTON", L"Change", kButtonId, WS_TABSTOP | BS_PUSHBUTTON, 5, 40, 60, 14);
    return layout;
}

void Click(HWND window, int id) {
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// What a click on a tab does.
void ShowTab(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, index, 0);
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

class PropertySheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        SetUiLcid(kLcidEnglish);
        first = std::make_unique<TextPage>(layout.get(), "First");
        second = std::make_unique<TextPage>(layout.get(), "Second");
    }
    void TearDown() override {
        SetUiLcid(kLcidEnglish);
        SetUiCodePage(0);
        if (owner) DestroyWindow(owner);
    }

    // Runs the sheet over the pages with a caption of its own and plays the steps.
    bool Play(std::vector<Step> steps, std::vector<PropertyPage*> pages = {}, std::string caption = {},
              std::wstring wideCaption = {}) {
        if (pages.empty()) pages = {first.get(), second.get()};
        if (caption.empty()) {
            caption = "Sheet test " + std::to_string(++serial_);
            wideCaption = std::wstring(caption.begin(), caption.end());
        }
        TimedSteps driver(wideCaption, std::move(steps), CancelSheet);
        const bool applied = PropertySheet::Run(owner, caption, pages);
        EXPECT_FALSE(driver.timedOut()) << "the sheet was still open after its steps";
        stepsPlayed = driver.stepsRun();
        return applied;
    }

    win_testing::MemoryDialogTemplate layout = PageLayout();
    std::unique_ptr<TextPage> first, second;
    HWND owner = nullptr;
    size_t stepsPlayed = 0;
    int serial_ = 0;
};

TEST_F(PropertySheetTest, PageOpensAsADialogAndOnApplySeesTheTypedText) {
    std::wstring label;
    const bool applied = Play({[&](HWND) {
                                   label = WindowText(first->Item(kLabelId));
                                   Click(first->hwnd(), kButtonId);
                                   // "这是" typed: the page reads it back as GBK bytes.
                                   SetWindowTextW(first->Item(kEditId), L"\u8fd9\u662f");
                               },
                               [&](HWND sheet) { Click(sheet, IDOK); }});
    EXPECT_TRUE(applied);
    EXPECT_EQ(stepsPlayed, 2u);
    EXPECT_EQ(label, L"&Maximum count of most recent files:");
    EXPECT_EQ(first->initialisations, 1);
    EXPECT_EQ(first->clicks, 1);
    EXPECT_EQ(first->applies, 1);
    EXPECT_EQ(first->appliedText, "\xd5\xe2\xca\xc7");
    // The page's window has gone with the sheet.
    EXPECT_EQ(first->hwnd(), nullptr);
}

TEST_F(PropertySheetTest, RefusedApplyKeepsTheSheetOpenOnThePageThatRefused) {
    second->refusalsLeft = 1;
    bool openAfterRefusal = false;
    HWND shownAfterRefusal = nullptr, secondPage = nullptr;
    const bool applied = Play({[&](HWND sheet) { ShowTab(sheet, 1); },
                               [&](HWND sheet) {
                                   SetWindowTextW(second->Item(kEditId), L"bad");
                                   ShowTab(sheet, 0);
                               },
                               [&](HWND sheet) { Click(sheet, IDOK); },
                               [&](HWND sheet) {
                                   openAfterRefusal = IsWindowVisible(sheet) != FALSE;
                                   shownAfterRefusal = CurrentPage(sheet);
                                   secondPage = second->hwnd();
                                   SetWindowTextW(second->Item(kEditId), L"good");
                                   Click(sheet, IDOK);
                               }});
    EXPECT_TRUE(applied);
    EXPECT_EQ(stepsPlayed, 4u);
    EXPECT_TRUE(openAfterRefusal);
    // OK was clicked on the first page; the sheet turned to the second, which refused.
    EXPECT_NE(secondPage, nullptr);
    EXPECT_EQ(shownAfterRefusal, secondPage);
    EXPECT_EQ(first->applies, 2);
    EXPECT_EQ(second->applies, 2);
    EXPECT_EQ(second->appliedText, "good");
}

TEST_F(PropertySheetTest, RefusedApplyThenCancelReportsNothingApplied) {
    first->refusalsLeft = 1;
    const bool applied =
        Play({[&](HWND sheet) { ShowTab(sheet, 1); }, [&](HWND sheet) { Click(sheet, IDOK); },
              [&](HWND sheet) {
                  EXPECT_EQ(CurrentPage(sheet), first->hwnd());
                  Click(sheet, IDCANCEL);
              }});
    EXPECT_FALSE(applied);
    EXPECT_EQ(stepsPlayed, 3u);
    EXPECT_EQ(first->applies, 1);
    // The refusal of the first page stops the round before the second is asked.
    EXPECT_EQ(second->applies, 0);
}

TEST_F(PropertySheetTest, CancelDoesNotApply) {
    const bool applied = Play({[&](HWND sheet) {
                                   SetWindowTextW(first->Item(kEditId), L"typed");
                                   ShowTab(sheet, 1);
                               },
                               [&](HWND sheet) { Click(sheet, IDCANCEL); }});
    EXPECT_FALSE(applied);
    EXPECT_EQ(stepsPlayed, 2u);
    EXPECT_EQ(first->initialisations, 1);
    EXPECT_EQ(second->initialisations, 1);
    EXPECT_EQ(first->applies, 0);
    EXPECT_EQ(second->applies, 0);
}

TEST_F(PropertySheetTest, ApplyButtonAppliesAChangedPageAndTheSheetStaysOpen) {
    bool enabledBefore = true, enabledAfterChange = false, openAfterApply = false;
    int appliesAfterApply = -1;
    const bool applied = Play({[&](HWND sheet) {
                                   enabledBefore = IsWindowEnabled(GetDlgItem(sheet, kApplyNowId)) != FALSE;
                                   Click(first->hwnd(), kButtonId);  // the page marks itself changed
                                   enabledAfterChange =
                                       IsWindowEnabled(GetDlgItem(sheet, kApplyNowId)) != FALSE;
                                   Click(sheet, kApplyNowId);
                               },
                               [&](HWND sheet) {
                                   openAfterApply = IsWindowVisible(sheet) != FALSE;
                                   appliesAfterApply = first->applies;
                                   Click(sheet, IDCANCEL);
                               }});
    EXPECT_FALSE(enabledBefore);
    EXPECT_TRUE(enabledAfterChange);
    EXPECT_TRUE(openAfterApply);
    EXPECT_EQ(appliesAfterApply, 1);
    EXPECT_EQ(first->applies, 1);  // Cancel afterwards asks nothing more
    // What Apply wrote stays written, so the run reports it.
    EXPECT_TRUE(applied);
}

TEST_F(PropertySheetTest, OkWithAPageNeverShownAppliesTheOpenPagesOnly) {
    const bool applied = Play({[&](HWND sheet) { Click(sheet, IDOK); }});
    EXPECT_TRUE(applied);
    EXPECT_EQ(first->applies, 1);
    EXPECT_EQ(second->initialisations, 0);
    EXPECT_EQ(second->applies, 0);
}

TEST_F(PropertySheetTest, CaptionTabsAndButtonsSpeakTheUiLanguageAndTheSheetOwnsQuestions) {
    SetUiLcid(kLcidSimplifiedChinese);
    SetUiCodePage(936);
    owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    first->SetTitle("\xb3\xa3\xb9\xe6");  // "常规"
    std::wstring caption, firstTab, secondTab, ok, cancel, apply;
    HWND speaking = nullptr, sheetWindow = nullptr;
    bool ownerEnabled = true;
    const bool applied =
        Play({[&](HWND sheet) {
                 sheetWindow = sheet;
                 caption = WindowText(sheet);
                 HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
                 for (int index = 0; index < 2; ++index) {
                     wchar_t buffer[64] = {};
                     TCITEMW item{};
                     item.mask = TCIF_TEXT;
                     item.pszText = buffer;
                     item.cchTextMax = 64;
                     SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
                     (index == 0 ? firstTab : secondTab) = buffer;
                 }
                 ok = WindowText(GetDlgItem(sheet, IDOK));
                 cancel = WindowText(GetDlgItem(sheet, IDCANCEL));
                 apply = WindowText(GetDlgItem(sheet, 0x3021));  // the sheet's Apply button
                 speaking = Dialog::SpeakingWindow();
                 ownerEnabled = IsWindowEnabled(owner) != FALSE;
                 Click(sheet, IDCANCEL);
             }},
             {first.get(), second.get()}, "\xd1\xa1\xcf\xee", L"\u9009\u9879");  // "选项"
    EXPECT_FALSE(applied);
    EXPECT_EQ(caption, L"\u9009\u9879");
    EXPECT_EQ(firstTab, L"\u5e38\u89c4");
    EXPECT_EQ(secondTab, L"Second");
    EXPECT_EQ(ok, L"\u786e\u5b9a");      // 确定
    EXPECT_EQ(cancel, L"\u53d6\u6d88");  // 取消
    EXPECT_EQ(apply, L"\u5e94\u7528");   // 应用
    EXPECT_NE(sheetWindow, nullptr);
    EXPECT_EQ(speaking, sheetWindow);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_NE(Dialog::SpeakingWindow(), sheetWindow);
}

}  // namespace
}  // namespace zelvo
