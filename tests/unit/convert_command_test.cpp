#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "cli/convert_options.h"
#include "test_support.h"

namespace zelvo::cli {
namespace {

struct Parsed {
    bool ok;
    ConvertOptions options;
    std::string error;
};

Parsed Parse(std::vector<std::string> args) {
    Parsed p;
    p.ok = ParseConvertOptions(args, p.options, p.error);
    return p;
}

TEST(ConvertOptions, ReadsDirectionModeAndPaths) {
    Parsed p = Parse({"--from", "big5", "--mode", "2", "in.txt", "out.txt"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_FALSE(p.options.fromGbk);
    EXPECT_EQ(p.options.mode, 2);
    EXPECT_EQ(p.options.inputPath, "in.txt");
    EXPECT_EQ(p.options.outputPath, "out.txt");

    p = Parse({"in.txt", "--from=gbk", "--home", "/opt/zelvo"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.fromGbk);
    EXPECT_EQ(p.options.mode, 0);
    EXPECT_EQ(p.options.home, "/opt/zelvo");
    EXPECT_EQ(p.options.inputPath, "in.txt");
    EXPECT_EQ(p.options.outputPath, "");

    p = Parse({"--from", "gbk", "--", "-odd-name"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.inputPath, "-odd-name");
    EXPECT_TRUE(Parse({"--from", "gbk", "-"}).ok);  // "-" is standard input
}

TEST(ConvertOptions, HelpIsAskedForBeforeTheOptionsEnd) {
    EXPECT_TRUE(Parse({"--help"}).options.help);
    Parsed p = Parse({"--from", "utf8", "-h"});  // help, whatever else is wrong
    EXPECT_TRUE(p.ok);
    EXPECT_TRUE(p.options.help);
    p = Parse({"--from", "gbk", "--", "--help"});  // a file of that name
    ASSERT_TRUE(p.ok);
    EXPECT_FALSE(p.options.help);
    EXPECT_EQ(p.options.inputPath, "--help");
}

TEST(ConvertOptions, RejectsWhatItCannotDo) {
    EXPECT_FALSE(Parse({}).ok);                                   // no direction
    EXPECT_FALSE(Parse({"--from"}).ok);                           // no value
    EXPECT_FALSE(Parse({"--from", "utf8"}).ok);
    EXPECT_FALSE(Parse({"--from", "gbk", "--mode", "4"}).ok);
    EXPECT_FALSE(Parse({"--from", "gbk", "--mode", "01"}).ok);
    EXPECT_FALSE(Parse({"--from", "gbk", "--mode"}).ok);
    EXPECT_FALSE(Parse({"--from", "gbk", "--fast"}).ok);
    EXPECT_FALSE(Parse({"--from", "gbk", "a", "b", "c"}).ok);
    EXPECT_FALSE(Parse({"--from", "gbk", ""}).ok);
    Parsed p = Parse({"--from", "gbk", "--mode", "9"});
    EXPECT_NE(p.error.find("--mode"), std::string::npos);
    EXPECT_EQ(p.error.find('\n'), std::string::npos);  // one line
}

// --- the built program --------------------------------------------------------------

// Runs zelvoc with the shell command's arguments; returns its exit status.
int Zelvoc(const std::string& arguments) {
    const std::string command = std::string("'") + ZELVO_DIST_DIR + "/zelvoc' " + arguments;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ZelvocConvert : public testing::Test {
protected:
    std::string Make(const std::string& name, const std::string& bytes) { return folder_.Write(name, bytes); }
    std::string Path(const std::string& name) { return folder_.PathOf(name); }
    static std::string ReadFile(const std::string& path) { return testing_support::TempFolder::Read(path); }
    // Converts bytes through standard input and output.
    std::string Pipe(const std::string& options, const std::string& bytes) {
        const std::string in = Make("pipe_in", bytes), out = Path("pipe_out");
        EXPECT_EQ(Zelvoc("convert " + options + " < '" + in + "' > '" + out + "'"), 0);
        return ReadFile(out);
    }
    testing_support::TempFolder folder_{"zelvoc-convert"};
};

TEST_F(ZelvocConvert, ConvertsStandardInputByteForByte) {
    EXPECT_EQ(Pipe("--from gbk", "\xB9\xFA"), "\xB0\xEA");
    EXPECT_EQ(Pipe("--from gbk --mode 1", "\xB9\xFA"), "\x87\xF8");
    EXPECT_EQ(Pipe("--from big5", "\xB0\xEA"), "\xB9\xFA");
    // Zero bytes, CR LF and a trailing lead byte all survive with the length kept.
    const std::string binary("a\r\n\xB9\xFA\0\xB9\xFA\0\xB0", 10);
    EXPECT_EQ(Pipe("--from gbk", binary), std::string("a\r\n\xB0\xEA\0\xB0\xEA\0\xB0", 10));
}

TEST_F(ZelvocConvert, WritesTheOutputFileOnlyOnSuccess) {
    const std::string in = Make("in", "\xB0\xEA\xA4\xA4");
    const std::string out = Path("out");
    EXPECT_EQ(Zelvoc("convert --from big5 '" + in + "' '" + out + "'"), 0);
    EXPECT_EQ(ReadFile(out), "\xB9\xFA\xD6\xD0");

    // A missing input fails with 1 and leaves the old output alone.
    const std::string kept = Make("kept", "old");
    EXPECT_EQ(Zelvoc("convert --from big5 '" + Path("missing") + "' '" + kept + "' 2>/dev/null"), 1);
    EXPECT_EQ(ReadFile(kept), "old");
    // An output in a folder that does not exist fails with 1.
    EXPECT_EQ(Zelvoc("convert --from big5 '" + in + "' '" + Path("no_folder") + "/out' 2>/dev/null"), 1);
    // Usage errors exit 2.
    EXPECT_EQ(Zelvoc("convert --from utf8 < /dev/null 2>/dev/null"), 2);
    EXPECT_EQ(Zelvoc("convert < /dev/null 2>/dev/null"), 2);
}

TEST_F(ZelvocConvert, ErrorsAreOneLineNamingThePath) {
    const std::string err = Path("stderr");
    const std::string missing = Path("missing_input");
    Zelvoc("convert --from gbk '" + missing + "' 2>'" + err + "'");
    const std::string message = ReadFile(err);
    EXPECT_NE(message.find(missing), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
}

}  // namespace
}  // namespace zelvo::cli

namespace zelvo::cli {
namespace {

// Mode 0 runs the shipped libs of the program folder after the tables: the tables alone
// turn 头发 into 頭發, the base lib puts 髮 for hair; and back again.
TEST_F(ZelvocConvert, ModeZeroAdjustsWordsWithTheProgramFoldersLibs) {
    EXPECT_EQ(Pipe("--from gbk --mode 3", "\xCD\xB7\xB7\xA2"), "\xC0\x59\xB5\x6F");
    EXPECT_EQ(Pipe("--from gbk", "\xCD\xB7\xB7\xA2"), "\xC0\x59\xBE\x76");
    EXPECT_EQ(Pipe("--from big5", "\xC0\x59\xBE\x76"), "\xCD\xB7\xB7\xA2");
    // Another program folder's libs replace the shipped ones: one custom lib, applied.
    const std::string home = Path("home");
    ASSERT_EQ(std::system(("mkdir -p '" + home + "/ctwa/custbig' '" + home + "/config'").c_str()), 0);
    Make("home/config/wag2b.ini",
         "[CUSLIB_G2B1]\r\nPath = %%CTWA_FOLDER%%/custbig/hair.txt\r\nApply = true\r\n");
    Make("home/ctwa/custbig/hair.txt", ";[T]hair\r\n\xC0\x59\xB5\x6F,X");
    EXPECT_EQ(Pipe("--from gbk --home '" + home + "'", "\xCD\xB7\xB7\xA2!"), "X!");
    EXPECT_EQ(Zelvoc("convert --from gbk --home '" + home + "/none' < /dev/null 2>/dev/null"), 1);
}

}  // namespace
}  // namespace zelvo::cli
