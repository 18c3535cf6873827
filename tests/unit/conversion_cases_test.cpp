#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace zelvo {
namespace {

// One line of tests/data/conversion_cases.txt.
struct ConversionCase {
    std::string from;  // "gbk" or "big5"
    std::string mode;
    std::string source;    // UTF-8
    std::string expected;  // UTF-8
    int line = 0;
};

std::vector<ConversionCase> ReadCases(const std::string& path) {
    std::vector<ConversionCase> cases;
    std::ifstream in(path);
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (text.empty() || text[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream split(text);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        EXPECT_EQ(fields.size(), 4u) << path << ":" << number;
        if (fields.size() == 4) cases.push_back({fields[0], fields[1], fields[2], fields[3], number});
    }
    return cases;
}

// The sentences of the case file through the built zelvoc and the program folder's shipped
// libs, the user's road: iconv to GBK or Big5, zelvoc convert, iconv back to UTF-8. The
// encodings come from glibc's iconv, not from the program.
TEST(ConversionCases, ShippedLibsGiveTheExpectedSentences) {
    const std::vector<ConversionCase> cases = ReadCases(ZELVO_SOURCE_DIR "/tests/data/conversion_cases.txt");
    ASSERT_GE(cases.size(), 10u);
    testing_support::TempFolder folder("conversion-cases");
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE("conversion_cases.txt:" + std::to_string(c.line) + " " + c.source);
        const bool fromGbk = c.from == "gbk";
        const std::string in = folder.Write("in.txt", c.source);
        const std::string out = folder.PathOf("out.txt");
        const std::string command = std::string("iconv -f UTF-8 -t ") + (fromGbk ? "GBK" : "CP950") + " '" +
                                    in + "' | '" ZELVO_DIST_DIR "/zelvoc' convert --from " + c.from +
                                    " --mode " + c.mode + " | iconv -f " + (fromGbk ? "CP950" : "GBK") +
                                    " -t UTF-8 > '" + out + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        EXPECT_EQ(testing_support::TempFolder::Read(out), c.expected);
    }
}

}  // namespace
}  // namespace zelvo
