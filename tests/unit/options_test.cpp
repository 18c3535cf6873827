#include "transfer/options.h"

#include <gtest/gtest.h>

#include "app/recent_files.h"
#include "platform/registry_store.h"
#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedRegistry;

TEST(CodeTransferOptions, MissingValuesGiveDestinationNoPathCodeAndValidation) {
    ScopedRegistry registry;
    const CodeTransferOptions options = ReadCodeTransferOptions();
    EXPECT_FALSE(options.transferToSource);
    EXPECT_FALSE(options.changePathCode);
    EXPECT_TRUE(options.checkWd);
}

TEST(CodeTransferOptions, OnlyAStoredOneMeansSourceOrPathCodeWhileCheckWdTakesAnyNonZero) {
    ScopedRegistry registry;
    for (int stored : {2, -1, 0}) {
        WriteRegInt("Code Transfer", "UI Display Source 2 Source", stored);
        WriteRegInt("Code Transfer", "Change Path Code", stored);
        EXPECT_FALSE(ReadCodeTransferOptions().transferToSource) << stored;
        EXPECT_FALSE(ReadCodeTransferOptions().changePathCode) << stored;
    }
    WriteRegInt("Code Transfer", "UI Display Source 2 Source", 1);
    WriteRegInt("Code Transfer", "Change Path Code", 1);
    EXPECT_TRUE(ReadCodeTransferOptions().transferToSource);
    EXPECT_TRUE(ReadCodeTransferOptions().changePathCode);

    for (int stored : {2, -1, 1}) {
        WriteRegInt("CTWA", "Check WD", stored);
        EXPECT_TRUE(ReadCodeTransferOptions().checkWd) << stored;
    }
    WriteRegInt("CTWA", "Check WD", 0);
    EXPECT_FALSE(ReadCodeTransferOptions().checkWd);
}

TEST(CodeTransferOptions, WritesOneOrZeroUnderTheirKeys) {
    ScopedRegistry registry;
    WriteCodeTransferOptions({true, false, false});
    EXPECT_EQ(ReadRegInt("Code Transfer", "UI Display Source 2 Source", -1), 1);
    EXPECT_EQ(ReadRegInt("Code Transfer", "Change Path Code", -1), 0);
    EXPECT_EQ(ReadRegInt("CTWA", "Check WD", -1), 0);
    WriteCodeTransferOptions({false, true, true});
    EXPECT_EQ(ReadRegInt("Code Transfer", "UI Display Source 2 Source", -1), 0);
    EXPECT_EQ(ReadRegInt("Code Transfer", "Change Path Code", -1), 1);
    EXPECT_EQ(ReadRegInt("CTWA", "Check WD", -1), 1);
}

TEST(RecentFileCountChoices, ZeroToSixtyAndTheTextReadAsAtoiReadsIt) {
    const std::vector<std::string> choices = MruCountChoices();
    ASSERT_EQ(choices.size(), 61u);
    EXPECT_EQ(choices.front(), "0");
    EXPECT_EQ(choices[7], "7");
    EXPECT_EQ(choices.back(), "60");
    EXPECT_EQ(MruCountOfText("12"), 12);
    EXPECT_EQ(MruCountOfText(""), 0);
    EXPECT_EQ(MruCountOfText("x"), 0);
}

TEST(RecentFileCountChoices, ChoosingZeroStoresZeroAndShowsNoEntries) {
    ScopedRegistry registry;
    WriteMaximumMruCount(MruCountOfText("0"));
    EXPECT_EQ(ReadRegInt("File", "Maximum MRU Count", -1), 0);
    EXPECT_EQ(MaximumMruCount(), 0);
}

}  // namespace
}  // namespace zelvo
