// A run that claims a system code page checks it before any test runs: Wine takes its code
// page from the glibc locale and silently falls back to 1252 when that locale is missing,
// so a run "under 936" could otherwise test nothing it claims.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class ClaimedCodePage : public ::testing::Environment {
public:
    void SetUp() override {
        const unsigned actual = GetACP();
        std::printf("system code page: %u\n", actual);
        std::fflush(stdout);
        const char* claimed = std::getenv("ZELVO_EXPECT_CODE_PAGE");
        if (claimed == nullptr || *claimed == '\0') return;
        ASSERT_EQ(std::to_string(actual), std::string(claimed))
            << "this run claims system code page " << claimed << " (ZELVO_EXPECT_CODE_PAGE), but GetACP() is "
            << actual << "; is the glibc locale generated (locale -a)?";
    }
};

const auto* const claimedCodePage = ::testing::AddGlobalTestEnvironment(new ClaimedCodePage);

}  // namespace
