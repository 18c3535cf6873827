#include "app/instance_limit.h"

#include <gtest/gtest.h>

#include <deque>

#include "services/message_service.h"
#include "test_support.h"

namespace zelvo {
namespace {

class InstanceLimitTest : public ::testing::Test {
  protected:
    // Counts come from a queue: the first count, then the recount after the warning.
    InstanceLimitProbe Probe(std::deque<int> counts, bool warningShown) {
        counts_ = std::move(counts);
        return InstanceLimitProbe{[this] {
                                      ++countCalls_;
                                      int n = counts_.front();
                                      if (counts_.size() > 1) counts_.pop_front();
                                      return n;
                                  },
                                  [this, warningShown](const std::string& title) {
                                      titlesAsked_.push_back(title);
                                      return warningShown;
                                  }};
    }

    testing_support::ScopedMessages messages_;
    std::deque<int> counts_;
    int countCalls_ = 0;
    std::vector<std::string> titlesAsked_;
};

TEST_F(InstanceLimitTest, LimitsAndDecisionsPerPlatform) {
    EXPECT_EQ(InstanceLimit(true), 100);
    EXPECT_EQ(InstanceLimit(false), 4);
    EXPECT_EQ(DecideInstanceStart(3, false, false), InstanceDecision::kContinue);
    EXPECT_EQ(DecideInstanceStart(4, false, false), InstanceDecision::kWarn);
    EXPECT_EQ(DecideInstanceStart(4, false, true), InstanceDecision::kEndSilently);
    EXPECT_EQ(DecideInstanceStart(99, true, true), InstanceDecision::kContinue);
    EXPECT_EQ(DecideInstanceStart(100, true, false), InstanceDecision::kWarn);
    EXPECT_EQ(DecideInstanceStart(250, true, true), InstanceDecision::kEndSilently);
}

TEST_F(InstanceLimitTest, ClassNamesCompareOnTheirFirstTwentyCharacters) {
    EXPECT_TRUE(IsMainWindowClassName("Tolvane_Zelvo"));
    EXPECT_TRUE(IsMainWindowClassName("TOLVANE_zelvo"));
    EXPECT_FALSE(IsMainWindowClassName("Tolvane_Zelv"));
    EXPECT_FALSE(IsMainWindowClassName("Tolvane_Zelvo_Other"));
    EXPECT_FALSE(IsMainWindowClassName("#32770"));
    EXPECT_FALSE(IsMainWindowClassName(""));
}

TEST_F(InstanceLimitTest, BelowTheLimitNothingIsShown) {
    EXPECT_TRUE(PassInstanceLimit(false, "Zelvo", Probe({3}, false)));
    EXPECT_TRUE(PassInstanceLimit(true, "Zelvo", Probe({99}, false)));
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_TRUE(titlesAsked_.empty());
}

// Four windows on Windows 98: the fifth start warns once with line 2.
TEST_F(InstanceLimitTest, FifthStartOnWindows9xWarnsWithTheOsLine) {
    EXPECT_FALSE(PassInstanceLimit(false, "Zelvo", Probe({4, 4}, false)));
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].caption, "Too many instances of Zelvo...");
    EXPECT_EQ(
        messages_->shown[0].text,
        "Windows 95/98 and Me are not high-capacity multi-task operating systems. Under current operating "
        "system, you can run at most 4 instances of Zelvo concurrently.");
    ASSERT_EQ(titlesAsked_.size(), 1u);
    EXPECT_EQ(titlesAsked_[0], "Too many instances of Zelvo...");
    EXPECT_EQ(countCalls_, 2);
}

TEST_F(InstanceLimitTest, WhileTheWarningIsUpFurtherStartsEndSilently) {
    EXPECT_FALSE(PassInstanceLimit(false, "Zelvo", Probe({5}, true)));
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_EQ(countCalls_, 1);
}

TEST_F(InstanceLimitTest, NtWarningGivesTheCountAndTheRecountDecides) {
    EXPECT_TRUE(PassInstanceLimit(true, "Zelvo", Probe({100, 97}, false)));
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(
        messages_->shown[0].text,
        "You have already open 100 instances of Zelvo. Please close unnecessary instances of Zelvo before "
        "try to open new one.");
    EXPECT_EQ(countCalls_, 2);

    messages_->shown.clear();
    EXPECT_FALSE(PassInstanceLimit(true, "Zelvo", Probe({120, 100}, false)));
    EXPECT_EQ(messages_->shown.size(), 1u);
}

TEST_F(InstanceLimitTest, ProductNameHoldingPlaceholdersIsNotFilledTwice) {
    InstanceWarning warning = BuildInstanceWarning(101, true, "#2Z");
    EXPECT_EQ(warning.caption, "Too many instances of #2Z...");
    EXPECT_NE(warning.text.find("open 101 instances of #2Z."), std::string::npos);
}

}  // namespace
}  // namespace zelvo
