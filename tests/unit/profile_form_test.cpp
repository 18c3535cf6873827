#include "app/profile_form.h"

#include <gtest/gtest.h>

#include "services/ui_strings.h"

namespace zelvo {
namespace {

const ProfileContext kContext{kLcidEnglish, 1, 3, 46, 1024, 768, "/opt/zelvo"};
const std::vector<int> kUiLcids{1033, 2052, 1028};
constexpr ScreenSize kScreen{1024, 768};

class ProfileFormTest : public ::testing::Test {
  protected:
    ProfileFormTest() {
        SetUiLcid(kLcidEnglish);
        list_.push_back(SystemProfile(1, kContext));
        Profile mine;
        mine.title = "Mine";
        list_.push_back(mine);
    }
    ~ProfileFormTest() override { SetUiLcid(kLcidEnglish); }

    // A user profile that passes every check: a window 600 x 400 at (100, 50).
    static ProfileForm ValidForm() {
        ProfileForm form;
        form.title = "Fresh";
        form.setPosition = true;
        form.left = "100";
        form.right = "700";
        form.top = "50";
        form.bottom = "450";
        form.setProportion = true;
        form.proportion = "40";
        return form;
    }

    ProfileList list_;
};

TEST_F(ProfileFormTest, SwitchesEnableTheirControls) {
    ProfileForm form;
    ProfileFormEnabling off = EnablingOf(form);
    EXPECT_FALSE(off.uiLanguage || off.sourceLanguage || off.destinationLanguage || off.position ||
                 off.proportion || off.sourceFontSwitch || off.sourceFontSize || off.backgroundConfiguration);
    EXPECT_TRUE(off.proportionSwitch);  // both areas shown

    form.setFontSize = true;
    form.setDestinationFontSize = true;
    ProfileFormEnabling fonts = EnablingOf(form);
    EXPECT_TRUE(fonts.sourceFontSwitch && fonts.destinationFontSwitch);
    EXPECT_FALSE(fonts.sourceFontSize);
    EXPECT_TRUE(fonts.destinationFontSize);

    // The proportion needs both areas; with one hidden its switch and value are off even ticked.
    form.setProportion = true;
    EXPECT_TRUE(EnablingOf(form).proportion);
    form.showDestinationArea = false;
    ProfileFormEnabling oneArea = EnablingOf(form);
    EXPECT_FALSE(oneArea.proportionSwitch);
    EXPECT_FALSE(oneArea.proportion);
    EXPECT_FALSE(oneArea.destinationToolbar);
    EXPECT_TRUE(oneArea.sourceToolbar);

    form.isSystem = true;
    EXPECT_FALSE(EnablingOf(form).title);
}

TEST_F(ProfileFormTest, AValidFormPassesAndSaysItCanBeSaved) {
    const auto failures = ProfileFormFailures(ValidForm(), list_, -1, kScreen);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(ProfileCheckText(failures), "All settings are valid. Click \"OK\" to save the profile.");
}

TEST_F(ProfileFormTest, TitleBlankOrTakenByAnotherProfileFails) {
    ProfileForm form = ValidForm();
    form.title = "";
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen), std::vector<std::string>{"Title can't be blank!"});
    form.title = "Mine";
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen), std::vector<std::string>{"Title already exists!"});
    // Its own title is no clash; the comparison is of bytes, so case counts.
    EXPECT_TRUE(ProfileFormFailures(form, list_, 1, kScreen).empty());
    form.title = "mine";
    EXPECT_TRUE(ProfileFormFailures(form, list_, -1, kScreen).empty());
    // A built-in profile's title is not checked.
    form.isSystem = true;
    form.title = "";
    EXPECT_TRUE(ProfileFormFailures(form, list_, 0, kScreen).empty());
}

TEST_F(ProfileFormTest, LanguagesSwitchedOnNeedAChoice) {
    ProfileForm form = ValidForm();
    form.setUiLanguage = true;
    form.setSourceLanguage = true;
    form.setDestinationLanguage = true;
    form.destinationLanguage = 3;
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen),
              (std::vector<std::string>{"You must select a UI language.",
                                        "You must select a language for Source Edit Area."}));
    form.setUiLanguage = false;  // a choice left empty while switched off is no failure
    form.sourceLanguage = 0;
    EXPECT_TRUE(ProfileFormFailures(form, list_, -1, kScreen).empty());
}

TEST_F(ProfileFormTest, PositionMustLieOnTheScreenWithTheEndAfterTheStart) {
    ProfileForm form = ValidForm();
    form.left = "1025";
    form.bottom = "40";  // above top (50)
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen),
              (std::vector<std::string>{
                  "The value for Left is not valid. A valid number is an integer between 0 and 1024.",
                  "The value for Bottom is not valid. A valid number is an integer between 50 and 768."}));
    // The edges are allowed; a right edge is checked from 0 while the left is no number.
    form = ValidForm();
    form.left = "0";
    form.right = "1024";
    form.top = "768";
    form.bottom = "768";
    EXPECT_TRUE(ProfileFormFailures(form, list_, -1, kScreen).empty());
    form.left = "1O";
    form.right = "-1";
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen),
              (std::vector<std::string>{
                  "The value for Left is not valid. A valid number is an integer between 0 and 1024.",
                  "The value for Right is not valid. A valid number is an integer between 0 and 1024."}));
    // With the position switched off nothing of it is checked.
    form.setPosition = false;
    EXPECT_TRUE(ProfileFormFailures(form, list_, -1, kScreen).empty());
}

TEST_F(ProfileFormTest, ProportionIsCheckedOnlyWhileBothAreasShow) {
    ProfileForm form = ValidForm();
    form.proportion = "101";
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen),
              std::vector<std::string>{
                  "The value for Proportion is not valid. A valid number is an integer between 0 and 100."});
    form.showSourceArea = false;
    EXPECT_TRUE(ProfileFormFailures(form, list_, -1, kScreen).empty());
}

TEST_F(ProfileFormTest, AFontSizeSwitchedOnNeedsAProperSize) {
    ProfileForm form = ValidForm();
    form.setFontSize = true;
    form.setSourceFontSize = true;
    form.sourceFontSize = "Larger";  // a size name stands for 16
    form.destinationFontSize = "0";  // not switched on: not checked
    EXPECT_TRUE(ProfileFormFailures(form, list_, -1, kScreen).empty());
    form.setDestinationFontSize = true;
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen),
              std::vector<std::string>{"You haven't set a proper font."});
    form.destinationFontSize = "601";
    EXPECT_EQ(ProfileFormFailures(form, list_, -1, kScreen).size(), 1u);
    form.destinationFontSize = "600";
    EXPECT_TRUE(ProfileFormFailures(form, list_, -1, kScreen).empty());
    Profile record = ProfileOfForm(form, Profile{}, kUiLcids);
    EXPECT_EQ(record.sourceFontSize, 16);
    EXPECT_EQ(record.destinationFontSize, 600);
}

TEST_F(ProfileFormTest, SeveralFailuresAreListedOnePerLine) {
    ProfileForm form = ValidForm();
    form.title = "";
    form.proportion = "x";
    EXPECT_EQ(ProfileCheckText(ProfileFormFailures(form, list_, -1, kScreen)),
              "Title can't be blank!\r\n"
              "The value for Proportion is not valid. A valid number is an integer between 0 and 100.");
}

TEST_F(ProfileFormTest, TheDestinationShareIsOneHundredLessTheClampedValue) {
    EXPECT_EQ(DestinationShareText("30"), "70");
    EXPECT_EQ(DestinationShareText(" 0 "), "100");
    EXPECT_EQ(DestinationShareText("150"), "0");
    EXPECT_EQ(DestinationShareText("-5"), "100");
    EXPECT_EQ(DestinationShareText("3a"), "");
    EXPECT_EQ(ParseWholeNumber("+7"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("-7"), -7);
    EXPECT_EQ(ParseWholeNumber("99999999999"), std::nullopt);
}

TEST_F(ProfileFormTest, FieldsAndRecordGoBothWays) {
    Profile p = SystemProfile(4, kContext);
    p.setUiLanguage = true;
    p.uiLanguage = 1028;
    p.setBackground = true;
    p.backgroundColor = 255;
    ProfileForm form = FormOfProfile(p, kUiLcids);
    EXPECT_EQ(form.uiLanguage, 2);
    EXPECT_EQ(form.left, "114");
    EXPECT_EQ(form.sourceFontSize, "12");
    EXPECT_EQ(ProfileOfForm(form, p, kUiLcids), p);

    // An LCID the list lacks leaves the choice empty, and the record keeps its LCID.
    p.uiLanguage = 1041;
    form = FormOfProfile(p, kUiLcids);
    EXPECT_EQ(form.uiLanguage, -1);
    EXPECT_EQ(ProfileOfForm(form, p, kUiLcids).uiLanguage, 1041);

    // A built-in profile keeps its title whatever the field says.
    form.title = "Renamed";
    EXPECT_EQ(ProfileOfForm(form, p, kUiLcids).title, "Verify by Lines");
    form.left = "7";
    form.proportion = "20";
    Profile edited = ProfileOfForm(form, p, kUiLcids);
    EXPECT_EQ(edited.left, 7);
    EXPECT_EQ(edited.proportion, 20);
    EXPECT_EQ(edited.backgroundColor, 255);
}

}  // namespace
}  // namespace zelvo
