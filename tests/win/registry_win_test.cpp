// The registry settings store against the real registry that Wine runs.
#include <gtest/gtest.h>

#include "platform/registry_store.h"

namespace zelvo {
namespace {

class RegistryWinTest : public ::testing::Test {
protected:
    void SetUp() override { SetRegistryRoot("software\\Tolvane\\ZelvoTest\\registry"); }
    void TearDown() override { SetRegistryRoot(kRegistryRootPath); }
};

TEST_F(RegistryWinTest, ValuesRoundTripThroughNestedSections) {
    ASSERT_TRUE(WriteRegInt("File\\MRU Source", "Maximum MRU Count", 9));
    ASSERT_TRUE(WriteRegString("App", "Path", "C:\\Program Files\\Zelvo\\zelvo.exe"));
    EXPECT_EQ(ReadRegInt("File\\MRU Source", "Maximum MRU Count", -1), 9);
    EXPECT_EQ(ReadRegString("App", "Path", ""), "C:\\Program Files\\Zelvo\\zelvo.exe");
}

TEST_F(RegistryWinTest, MissingOrMistypedValuesGiveTheDefault) {
    EXPECT_EQ(ReadRegInt("No Such Section", "Key", 42), 42);
    EXPECT_EQ(ReadRegString("No Such Section", "Key", "fallback"), "fallback");
    ASSERT_TRUE(WriteRegString("Mixed", "Value", "text"));
    EXPECT_EQ(ReadRegInt("Mixed", "Value", 7), 7);
    ASSERT_TRUE(WriteRegInt("Mixed", "Number", 3));
    EXPECT_EQ(ReadRegString("Mixed", "Number", "none"), "none");
}

TEST_F(RegistryWinTest, RootIsTrimmedOfBlanksAndBackslashes) {
    SetRegistryRoot(" \t\\software\\Tolvane\\ZelvoTest\\trimmed\\\r\n");
    EXPECT_EQ(RegistryRoot(), "software\\Tolvane\\ZelvoTest\\trimmed");
    ASSERT_TRUE(WriteRegInt("Shell", "Tried", 1));
    EXPECT_EQ(ReadRegInt("Shell", "Tried", 0), 1);
}

}  // namespace
}  // namespace zelvo
