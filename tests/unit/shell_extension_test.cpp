#include "services/shell_extension.h"

#include <gtest/gtest.h>

#include <string>

#include "app/shell_question.h"
#include "platform/registry_store.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedMessages;
using testing_support::ScopedRegistry;

TEST(ShellExtensionRules, AZeroByteInTheFirst32768BytesMakesAFileBinary) {
    EXPECT_FALSE(IsBinaryHead(""));
    EXPECT_FALSE(IsBinaryHead("plain text\r\n\xB0\xA1"));
    EXPECT_TRUE(IsBinaryHead(std::string("MZ\0\0", 4)));
    std::string late(32768, 'a');
    late.back() = '\0';
    EXPECT_TRUE(IsBinaryHead(late));
    // A zero past the bytes looked at does not count.
    late.push_back('\0');
    late[32767] = 'a';
    EXPECT_FALSE(IsBinaryHead(late));
}

TEST(ShellExtensionRules, NormalVerbsOnlyAndExploreMenusTakeTheItemDefaultOnlyAndNoVerbsDoNot) {
    EXPECT_TRUE(MenuFlagsTakeItem(0x0000));   // CMF_NORMAL
    EXPECT_TRUE(MenuFlagsTakeItem(0x0002));   // CMF_VERBSONLY
    EXPECT_TRUE(MenuFlagsTakeItem(0x0004));   // CMF_EXPLORE
    EXPECT_TRUE(MenuFlagsTakeItem(0x0010));   // CMF_CANRENAME only
    EXPECT_FALSE(MenuFlagsTakeItem(0x0001));  // CMF_DEFAULTONLY
    EXPECT_FALSE(MenuFlagsTakeItem(0x0008));  // CMF_NOVERBS
    EXPECT_FALSE(MenuFlagsTakeItem(0x0011));
}

TEST(ShellExtensionRules, TheLaunchArgumentIsOneQuotedTokenEvenWithBlanks) {
    EXPECT_EQ(ShellLaunchParameters(0, "C:\\a.txt"), "\"[n]0[p]C:\\a.txt\"");
    EXPECT_EQ(ShellLaunchParameters(3, "C:\\My Documents\\b c.txt"), "\"[n]3[p]C:\\My Documents\\b c.txt\"");
}

TEST(ShellExtensionRules, CommandStringsByTypeAndCommand) {
    EXPECT_STREQ(ShellCommandString(0, 0), "Operation1");
    EXPECT_STREQ(ShellCommandString(1, 0), "Operation2");
    EXPECT_STREQ(ShellCommandString(5, 0), "Edit with Zelvo");
    EXPECT_STREQ(ShellCommandString(0, 1), "Do something to the selected file(s)");
    EXPECT_STREQ(ShellCommandString(1, 1), "Do something else to the selected file(s)");
    EXPECT_STREQ(ShellCommandString(2, 1), "Edit with Zelvo");
    EXPECT_EQ(ShellCommandString(0, 4), nullptr);
}

TEST(ShellExtensionRules, TheServerPathMustEndInPellumDllInAnyCase) {
    EXPECT_TRUE(NamesShellExtensionFile("C:\\Zelvo\\pellum.dll"));
    EXPECT_TRUE(NamesShellExtensionFile("C:\\ZELVO\\PELLUM.DLL"));
    EXPECT_FALSE(NamesShellExtensionFile("C:\\Zelvo\\pellum.dll.bak"));
    EXPECT_FALSE(NamesShellExtensionFile("ellum.dll"));
}

class ContextMenuQuestionTest : public ::testing::Test {
  protected:
    bool Ask(bool registered) {
        return AskContextMenuQuestion(
            "Zelvo", [registered] { return registered; }, [this] { ++registrations; });
    }
    ScopedRegistry registry;
    ScopedMessages messages;
    int registrations = 0;
};

TEST_F(ContextMenuQuestionTest, AskedOnAFreshSystemWithYesNoAndATickedBoxAndYesRegisters) {
    messages->answers.push_back({kIdYes, true});
    EXPECT_TRUE(Ask(false));
    ASSERT_EQ(messages->shown.size(), 1u);
    const MessageRequest& asked = messages->shown[0];
    EXPECT_EQ(asked.style & 0x0F, kMbYesNo);
    EXPECT_TRUE(asked.showCheckBox);
    EXPECT_TRUE(asked.checked);
    EXPECT_EQ(asked.caption, "Zelvo");
    EXPECT_NE(asked.text.find("You can add Zelvo to context menu"), std::string::npos) << asked.text;
    EXPECT_EQ(registrations, 1);
    EXPECT_EQ(ReadRegInt("Shell", "Prompt Enable Shell", -1), -1);
}

TEST_F(ContextMenuQuestionTest, NoWithTheBoxClearedStoresPromptEnableShellZeroAndIsNotAskedAgain) {
    messages->answers.push_back({kIdNo, false});
    EXPECT_TRUE(Ask(false));
    EXPECT_EQ(registrations, 0);
    EXPECT_EQ(ReadRegInt("Shell", "Prompt Enable Shell", -1), 0);
    EXPECT_FALSE(Ask(false));
    EXPECT_EQ(messages->shown.size(), 1u);
}

TEST_F(ContextMenuQuestionTest, NotAskedWhenRegisteredOrTriedIsOne) {
    EXPECT_FALSE(Ask(true));
    WriteRegInt("Shell", "Tried", 1);
    EXPECT_FALSE(Ask(false));
    EXPECT_TRUE(messages->shown.empty());
    // Any other value of "Tried" still asks.
    WriteRegInt("Shell", "Tried", 2);
    EXPECT_TRUE(Ask(false));
}

}  // namespace
}  // namespace zelvo
