#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_data.h"
#include "test_support.h"

namespace zelvo {
namespace {

// The sentences of the case file through the built zelvoc and the program folder's shipped
// libs, the user's road: iconv to GBK or Big5, zelvoc convert, iconv back to UTF-8. The
// encodings come from glibc's iconv, not from the program.
TEST(ConversionCases, ShippedLibsGiveTheExpectedSentences) {
    // from<TAB>mode<TAB>source<TAB>expected result
    const std::vector<testing_support::DataLine> cases =
        testing_support::ReadDataFile("conversion_cases.txt", 4);
    ASSERT_GE(cases.size(), 10u);
    testing_support::TempFolder folder("conversion-cases");
    for (const testing_support::DataLine& line : cases) {
        const std::string& from = line.fields[0];
        const std::string& mode = line.fields[1];
        const std::string& source = line.fields[2];
        SCOPED_TRACE("conversion_cases.txt:" + std::to_string(line.number) + " " + source);
        const bool fromGbk = from == "gbk";
        const std::string in = folder.Write("in.txt", source);
        const std::string out = folder.PathOf("out.txt");
        const std::string command =
            std::string("iconv -f UTF-8 -t ") + testing_support::IconvName(from) + " '" + in +
            "' | '" ZELVO_DIST_DIR "/zelvoc' convert --from " + from + " --mode " + mode + " | iconv -f " +
            testing_support::IconvName(fromGbk ? "big5" : "gbk") + " -t UTF-8 > '" + out + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        EXPECT_EQ(testing_support::TempFolder::Read(out), line.fields[3]);
    }
}

}  // namespace
}  // namespace zelvo
