// Tools > Text Difference Check on the real window: the areas' lines compared one by one,
// the question when the areas show different languages or sizes, the list of differing
// lines in the Destination's code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/language_table.h"
#include "app/win/main_window.h"
#include "resources/resource.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

using DifferenceCheckTest = MainWindowTest;

// 中文 and 繁體 in Big5.
const std::string kBig5Line1 = "\xA4\xA4\xA4\xE5";
const std::string kBig5Line2 = "\xC1\x63\xC5\xE9";

TEST_F(DifferenceCheckTest, IdenticalAreasAndOneExtraLine) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kBig5LanguageIndex);
    window.SelectLanguage(EditArea::kDestination, kBig5LanguageIndex);
    window.RunCommand(IDM_DIFFERENCE_CHECK);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "Identical!");
    EXPECT_FALSE(messages_->shown[0].detailsEnabled);

    window.SetAreaText(EditArea::kSource, kBig5Line1 + "\r\n" + kBig5Line2 + "\r\nend");
    window.SetAreaText(EditArea::kDestination, kBig5Line1 + "\r\n" + kBig5Line2 + "\r\nend\r\nmore");
    window.RunCommand(IDM_DIFFERENCE_CHECK);
    ASSERT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(messages_->shown[1].text, "1 line of difference found");
    EXPECT_TRUE(messages_->shown[1].detailsEnabled);
    EXPECT_EQ(messages_->shown[1].details, "4:  -> more");
    EXPECT_EQ(messages_->shown[1].detailsCodePage, 950);
}

TEST_F(DifferenceCheckTest, DifferentLanguagesAreAskedAboutAndYesAdjustsTheDestination) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kBig5LanguageIndex);
    window.SelectLanguage(EditArea::kDestination, kGbkLanguageIndex);
    window.SetFontPoints(EditArea::kSource, 16);
    window.SetAreaText(EditArea::kSource, kBig5Line1 + "\r\n" + kBig5Line2);
    window.SetAreaText(EditArea::kDestination, kBig5Line1 + "\r\nother");

    Answer(kIdCancel);
    window.RunCommand(IDM_DIFFERENCE_CHECK);
    ASSERT_EQ(messages_->shown.size(), 1u);  // the question only
    EXPECT_EQ(window.LanguageIndex(EditArea::kDestination), kGbkLanguageIndex);

    Answer(kIdYes);
    window.RunCommand(IDM_DIFFERENCE_CHECK);
    ASSERT_EQ(messages_->shown.size(), 3u);
    EXPECT_EQ(window.LanguageIndex(EditArea::kDestination), kBig5LanguageIndex);
    EXPECT_EQ(window.FontPoints(EditArea::kDestination), 16);
    EXPECT_EQ(window.DestinationText(), kBig5Line1 + "\r\nother");  // the same bytes, shown as Big5
    EXPECT_EQ(messages_->shown[2].text, "1 line of difference found");
    EXPECT_EQ(messages_->shown[2].details, "2: " + kBig5Line2 + " -> other");
}

}  // namespace
}  // namespace zelvo
