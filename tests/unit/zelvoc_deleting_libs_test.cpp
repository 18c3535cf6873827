// zelvoc convert with libs whose items delete words: the program folder given by --home
// holds the libs, the text goes through standard input and output, and the program must
// end normally with the words gone.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace zelvo {
namespace {

class ZelvocDeletingLibs : public testing::Test {
  protected:
    // Runs zelvoc convert over bytes; the exit status goes to status.
    std::string Convert(const std::string& options, const std::string& bytes, int& status) {
        const std::string in = folder_.Write("in", bytes), out = folder_.PathOf("out");
        const std::string command = std::string("'") + ZELVO_DIST_DIR + "/zelvoc' convert " + options +
                                    " < '" + in + "' > '" + out + "'";
        const int raw = std::system(command.c_str());
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return testing_support::TempFolder::Read(out);
    }
    std::string Home() const { return folder_.PathOf("home"); }
    void MakeHome() {
        ASSERT_EQ(std::system(("mkdir -p '" + Home() + "/ctwa/custbig' '" + Home() + "/config'").c_str()), 0);
    }
    testing_support::TempFolder folder_{"zelvoc-deleting"};
};

TEST_F(ZelvocDeletingLibs, AnAppliedCustomLibDeletesTheWholeText) {
    MakeHome();
    folder_.Write("home/config/wag2b.ini",
                  "[CUSLIB_G2B1]\r\nPath = %%CTWA_FOLDER%%/custbig/delete.txt\r\nApply = true\r\n");
    // 控制台 and 控制臺 in Big5, each deleted (a comma and a blank: an empty replacement).
    folder_.Write("home/ctwa/custbig/delete.txt",
                  ";[T]delete\r\n\xB1\xB1\xA8\xEE\xA5\x78, \r\n\xB1\xB1\xA8\xEE\xBB\x4F, ");
    int status = -1;
    // GBK 控制台, then the same with text before it.
    EXPECT_EQ(Convert("--from gbk --home '" + Home() + "'", "\xBF\xD8\xD6\xC6\xCC\xA8", status), "");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Convert("--from gbk --home '" + Home() + "'", "ab\xBF\xD8\xD6\xC6\xCC\xA8", status), "ab");
    EXPECT_EQ(status, 0);
}

TEST_F(ZelvocDeletingLibs, AFinalFixItemAfterABaseLibDeletion) {
    MakeHome();
    // Base lib 乙一 -> nothing, final fix 一 -> Aa, in Big5.
    folder_.Write("home/ctwa/basebig.txt", ";base lib (big5)\r\n\xA4\x41\xA4\x40, ");
    folder_.Write("home/ctwa/ffbig.txt", ";final fix lib (big5)\r\n\xA4\x40,Aa");
    folder_.Write("home/ctwa/pdafbig.txt", ";phrase difference adjustment foundation lib (big5)\r\n");
    int status = -1;
    // GBK 乙一.
    EXPECT_EQ(Convert("--from gbk --home '" + Home() + "'", "\xD2\xD2\xD2\xBB", status), "");
    EXPECT_EQ(status, 0);
    // GBK 乙一一: the second 一 stays for the final fix.
    EXPECT_EQ(Convert("--from gbk --home '" + Home() + "'", "\xD2\xD2\xD2\xBB\xD2\xBB", status), "Aa");
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace zelvo
