#include "transfer/site_transfer_dialog_model.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedRegistry;
using testing_support::TempFolder;

class SiteTransferSettingsTest : public ::testing::Test {
  protected:
    ScopedRegistry registry;
    TempFolder folder{"zelvo-fsct"};
};

TEST_F(SiteTransferSettingsTest, MissingValuesGiveTheDefaults) {
    const SiteTransferOptions options = ReadSiteTransferSettings();
    EXPECT_FALSE(options.targetIsFile);
    EXPECT_TRUE(options.resultInNew);
    EXPECT_TRUE(options.includeSubFolders);
    EXPECT_TRUE(options.copyNonText);
    EXPECT_TRUE(options.gbkToBig5);
    EXPECT_EQ(options.sourcePath, "");
    EXPECT_EQ(options.destinationPath, "");
}

TEST_F(SiteTransferSettingsTest, OnlyAStoredOneMeansAFileWhileOtherFlagsTakeAnyNonZero) {
    for (int stored : {0, 2, -1, 7}) {
        WriteRegInt("FSCT", "File", stored);
        EXPECT_FALSE(ReadSiteTransferSettings().targetIsFile) << stored;
    }
    WriteRegInt("FSCT", "File", 1);
    EXPECT_TRUE(ReadSiteTransferSettings().targetIsFile);

    WriteRegInt("FSCT", "Result In New", 0);
    WriteRegInt("FSCT", "Include Sub Folders", 0);
    WriteRegInt("FSCT", "Copy Non-text File(s)", 0);
    WriteRegInt("FSCT", "GBK -> Big5", 0);
    SiteTransferOptions options = ReadSiteTransferSettings();
    EXPECT_FALSE(options.resultInNew);
    EXPECT_FALSE(options.includeSubFolders);
    EXPECT_FALSE(options.copyNonText);
    EXPECT_FALSE(options.gbkToBig5);
    WriteRegInt("FSCT", "GBK -> Big5", 5);
    EXPECT_TRUE(ReadSiteTransferSettings().gbkToBig5);
}

TEST_F(SiteTransferSettingsTest, WrittenSettingsReadBackAsDwordsAndStrings) {
    SiteTransferOptions options;
    options.targetIsFile = true;
    options.resultInNew = false;
    options.includeSubFolders = false;
    options.copyNonText = true;
    options.gbkToBig5 = false;
    options.sourcePath = "C:\\site\\\xb9\xfa.txt";
    options.destinationPath = "D:\\out";
    WriteSiteTransferSettings(options);
    EXPECT_EQ(registry->ints.size(), 5u);
    EXPECT_EQ(registry->strings.size(), 2u);
    EXPECT_EQ(ReadRegInt("FSCT", "File", -1), 1);
    EXPECT_EQ(ReadRegInt("FSCT", "Result In New", -1), 0);
    EXPECT_EQ(ReadRegInt("FSCT", "Copy Non-text File(s)", -1), 1);
    const SiteTransferOptions back = ReadSiteTransferSettings();
    EXPECT_EQ(back.targetIsFile, options.targetIsFile);
    EXPECT_EQ(back.resultInNew, options.resultInNew);
    EXPECT_EQ(back.includeSubFolders, options.includeSubFolders);
    EXPECT_EQ(back.copyNonText, options.copyNonText);
    EXPECT_EQ(back.gbkToBig5, options.gbkToBig5);
    EXPECT_EQ(back.sourcePath, options.sourcePath);
    EXPECT_EQ(back.destinationPath, options.destinationPath);
}

TEST_F(SiteTransferSettingsTest, CachePathFallsBackToTheProgramsTempFolderAndCreatesIt) {
    const std::string app = folder.PathOf("app");
    const std::string fallback = JoinPath(app, "temp");
    EXPECT_EQ(ResolveSiteTransferCachePath(app), fallback);
    EXPECT_TRUE(FolderExists(fallback));

    WriteRegString("FSCT", "Cache Path", folder.PathOf("missing"));
    EXPECT_EQ(ResolveSiteTransferCachePath(app), fallback);
    EXPECT_FALSE(PathExists(folder.PathOf("missing")));

    const std::string file = folder.Write("a file", "x");
    WriteRegString("FSCT", "Cache Path", file);
    EXPECT_EQ(ResolveSiteTransferCachePath(app), fallback);

    WriteRegString("FSCT", "Cache Path", folder.path());
    EXPECT_EQ(ResolveSiteTransferCachePath(app), folder.path());
    // Only read: the dialog never writes the cache path.
    EXPECT_EQ(ReadRegString("FSCT", "Cache Path", ""), folder.path());
}

TEST_F(SiteTransferSettingsTest, ChangePathCodeIsOnOnlyForOne) {
    EXPECT_FALSE(ReadChangePathCodeSetting());
    WriteRegInt("Code Transfer", "Change Path Code", 2);
    EXPECT_FALSE(ReadChangePathCodeSetting());
    WriteRegInt("Code Transfer", "Change Path Code", 1);
    EXPECT_TRUE(ReadChangePathCodeSetting());
}

TEST_F(SiteTransferSettingsTest, BrowseStartsInTheFolderOfThePathOrTheRememberedOne) {
    const std::string a = JoinPath(JoinPath(folder.path(), "a"), "page.htm");
    EXPECT_EQ(BrowseStartFolder(a, false), JoinPath(folder.path(), "a"));
    EXPECT_EQ(BrowseStartFolder("", false), "");

    RememberBrowseFolder(a, false);
    EXPECT_EQ(ReadRegString("FSCT", "Last Source File Folder", ""), JoinPath(folder.path(), "a"));
    EXPECT_EQ(BrowseStartFolder("", false), JoinPath(folder.path(), "a"));
    // The two browses keep their own folders.
    EXPECT_EQ(BrowseStartFolder("", true), "");
    RememberBrowseFolder(JoinPath(folder.path(), "out"), true);
    EXPECT_EQ(BrowseStartFolder("", true), folder.path());
    EXPECT_EQ(BrowseStartFolder("", false), JoinPath(folder.path(), "a"));
    // A bare name has no folder part: the remembered folder serves.
    EXPECT_EQ(BrowseStartFolder("name.txt", false), JoinPath(folder.path(), "a"));
}

TEST(SiteTransferControlRules, LabelsFollowTargetAndResultInNew) {
    SiteTransferOptions options;
    options.targetIsFile = true;
    options.resultInNew = true;
    SiteTransferControlRules rules = ControlRulesFor(options);
    EXPECT_EQ(LoadUiString(rules.sourceLabelId), "S&ource File:");
    EXPECT_EQ(LoadUiString(rules.destinationLabelId), "&Destination File:");
    EXPECT_EQ(LoadUiString(rules.resultInNewLabelId), "&Result in a new file");
    EXPECT_FALSE(rules.includeSubFoldersVisible);
    EXPECT_FALSE(rules.copyNonTextVisible);
    EXPECT_TRUE(rules.destinationEnabled);

    options.resultInNew = false;
    rules = ControlRulesFor(options);
    EXPECT_EQ(LoadUiString(rules.sourceLabelId), "S&ource/Destination File:");
    EXPECT_FALSE(rules.destinationEnabled);

    options.targetIsFile = false;
    rules = ControlRulesFor(options);
    EXPECT_EQ(LoadUiString(rules.sourceLabelId), "S&ource/Destination Site:");
    EXPECT_EQ(LoadUiString(rules.destinationLabelId), "&Destination Site:");
    EXPECT_EQ(LoadUiString(rules.resultInNewLabelId), "&Result in a new site");
    EXPECT_TRUE(rules.includeSubFoldersVisible);
    EXPECT_FALSE(rules.copyNonTextVisible);

    options.resultInNew = true;
    rules = ControlRulesFor(options);
    EXPECT_EQ(LoadUiString(rules.sourceLabelId), "S&ource Site:");
    EXPECT_TRUE(rules.copyNonTextVisible);
    EXPECT_TRUE(rules.destinationEnabled);
}

TEST(SiteTransferControlRules, ViewButtonsFollowTheKindAndExistenceOfThePaths) {
    TempFolder folder{"zelvo-fsct-view"};
    const std::string file = folder.Write("a.txt", "x");
    SiteTransferOptions options;
    options.targetIsFile = true;
    options.resultInNew = true;
    options.sourcePath = file;
    options.destinationPath = file;
    SiteTransferControlRules rules = ControlRulesFor(options);
    EXPECT_TRUE(rules.viewSourceEnabled);
    EXPECT_TRUE(rules.viewDestinationEnabled);

    options.resultInNew = false;  // the destination is not in use
    EXPECT_FALSE(ControlRulesFor(options).viewDestinationEnabled);

    options.resultInNew = true;
    options.destinationPath = folder.PathOf("missing.txt");
    options.sourcePath = folder.path();  // a folder is no file
    rules = ControlRulesFor(options);
    EXPECT_FALSE(rules.viewSourceEnabled);
    EXPECT_FALSE(rules.viewDestinationEnabled);

    options.targetIsFile = false;  // and a file is no site
    options.destinationPath = file;
    rules = ControlRulesFor(options);
    EXPECT_TRUE(rules.viewSourceEnabled);
    EXPECT_FALSE(rules.viewDestinationEnabled);
    options.destinationPath = folder.path();
    EXPECT_TRUE(ControlRulesFor(options).viewDestinationEnabled);
    options.sourcePath = "";
    EXPECT_FALSE(ControlRulesFor(options).viewSourceEnabled);
}

TEST(SiteTransferClock, CaptionTemplatesNameTheProgramTheKindAndTheDirection) {
    const std::string site = CaptionTemplateFor(false, "Zelvo");
    const std::string file = CaptionTemplateFor(true, "Zelvo");
    EXPECT_EQ(site, "Zelvo Site Transfer #1 - #2 Remaining Time #3");
    EXPECT_EQ(file, "Zelvo File Transfer #1 - #2 Remaining Time #3");
    EXPECT_EQ(RunCaptionTemplate(site, true), "Zelvo Site Transfer G->B - #2 Remaining Time #3");
    EXPECT_EQ(RunCaptionTemplate(file, false), "Zelvo File Transfer B->G - #2 Remaining Time #3");
}

TEST(SiteTransferClock, NothingIsShownBeforeTheFirstUnitIsDone) {
    const std::string caption = "Zelvo Site Transfer G->B - #2 Remaining Time #3";
    EXPECT_FALSE(ReadClock(caption, 100, 0, 30).shown);
    EXPECT_FALSE(ReadClock(caption, 0, 0, 30).shown);
    EXPECT_FALSE(ReadClock(caption, 0, 5, 30).shown);
    EXPECT_TRUE(ReadClock(caption, 100, 1, 0).shown);
}

TEST(SiteTransferClock, RemainingTimeShrinksAsWorkIsDone) {
    const std::string caption = "Zelvo Site Transfer G->B - #2 Remaining Time #3";
    // 10 of 40 units in 20 s: 30 units to go at 2 s each.
    ClockReading reading = ReadClock(caption, 40, 10, 20);
    EXPECT_EQ(reading.percent, 25);
    EXPECT_EQ(reading.remainingSeconds, 60);
    EXPECT_EQ(reading.caption, "Zelvo Site Transfer G->B - 25% Remaining Time 1 Minute(s) 0 Second(s)");
    EXPECT_EQ(reading.elapsedText, "Elapsed time:    00:00:20");
    EXPECT_EQ(reading.remainingText, "Remaining time:    00:01:00");

    int64_t previous = reading.remainingSeconds;
    for (int64_t done = 11; done <= 40; ++done) {
        // Time per unit stays the same: 2 s.
        reading = ReadClock(caption, 40, done, done * 2);
        EXPECT_LT(reading.remainingSeconds, previous) << done;
        previous = reading.remainingSeconds;
    }
    EXPECT_EQ(reading.remainingSeconds, 0);
    EXPECT_EQ(reading.percent, 100);
    EXPECT_EQ(reading.caption, "Zelvo Site Transfer G->B - 100% Remaining Time 0 Second(s)");
}

TEST(SiteTransferClock, AnHourTwoMinutesAndFiveSecondsInBothForms) {
    // One unit of 3726 done in one second leaves 3725 seconds.
    const ClockReading reading = ReadClock("#2 left: #3", 3726, 1, 1);
    EXPECT_EQ(reading.remainingSeconds, 3725);
    EXPECT_EQ(reading.remainingText, "Remaining time:    01:02:05");
    EXPECT_EQ(reading.caption, "0% left: 1 hour(s) 2 Minute(s) 5 Second(s)");
    EXPECT_EQ(reading.elapsedText, "Elapsed time:    00:00:01");
}

TEST(SiteTransferClock, IdleTextsAndPercents) {
    EXPECT_EQ(ClockStaticText(IDS_DIALOG_FSCT_ELAPSED_TIME, 0), "Elapsed time:    00:00:00");
    EXPECT_EQ(ClockStaticText(IDS_DIALOG_FSCT_REMAINING_TIME, 59), "Remaining time:    00:00:59");
    EXPECT_EQ(PercentText(0), "0%");
    EXPECT_EQ(PercentText(100), "100%");
}

TEST(SiteTransferStatusText, AFilledTemplateSplitsAroundTheInsertedPath) {
    std::string before, inserted, after;
    const std::string templateText = "Transferring file \"#1\"";
    ASSERT_TRUE(SplitFilledTemplate("Transferring file \"...\\a\\\xb9\xfa.txt\"", templateText, before,
                                    inserted, after));
    EXPECT_EQ(before, "Transferring file \"");
    EXPECT_EQ(inserted, "...\\a\\\xb9\xfa.txt");
    EXPECT_EQ(after, "\"");
    // An empty insertion still matches; other texts do not.
    ASSERT_TRUE(SplitFilledTemplate("Transferring file \"\"", templateText, before, inserted, after));
    EXPECT_EQ(inserted, "");
    EXPECT_FALSE(SplitFilledTemplate("Copying file \"x\"", templateText, before, inserted, after));
    EXPECT_FALSE(SplitFilledTemplate("Transferring file \"", templateText, before, inserted, after));
    EXPECT_FALSE(SplitFilledTemplate("Analyzing web site structure...", "Analyzing web site structure...",
                                     before, inserted, after));
}

}  // namespace
}  // namespace zelvo
