// zelvoc as a user at a shell meets it: every command explains itself, the version is one
// call away, and every failure says what was wrong and what to do about it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::TempFolder;

struct ZelvocRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs zelvoc with the shell command's arguments, keeping its standard output and error.
ZelvocRun Zelvoc(const std::string& arguments) {
    static const TempFolder streams("zelvoc-streams");
    const std::string out = streams.PathOf("out"), err = streams.PathOf("err");
    const std::string command = std::string("'") + ZELVO_DIST_DIR + "/zelvoc' " + arguments + " >'" + out +
                                "' 2>'" + err + "' </dev/null";
    const int status = std::system(command.c_str());
    ZelvocRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ReadFileBytes(out, run.out);
    ReadFileBytes(err, run.err);
    return run;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Zelvoc, EveryCommandExplainsItselfOnStandardOutput) {
    for (const std::string command : {"convert", "detect", "transfer", "check-libs"}) {
        SCOPED_TRACE(command);
        for (const std::string& asked : {command + " --help", command + " -h", "help " + command}) {
            const ZelvocRun run = Zelvoc(asked);
            EXPECT_EQ(run.exitCode, 0) << asked;
            EXPECT_EQ(run.err, "") << asked;
            EXPECT_EQ(run.out.rfind("usage: zelvoc " + command + " ", 0), 0u) << run.out;
        }
        // Help wins over whatever else is wrong on the line.
        EXPECT_EQ(Zelvoc(command + " --bogus --help").exitCode, 0);
    }
    // Convert names each mode and the program folder option.
    const std::string convert = Zelvoc("convert --help").out;
    EXPECT_TRUE(Has(convert, "--home DIR")) << convert;
    for (const char* mode : {"  0  ", "  1  ", "  2  ", "  3  "}) EXPECT_TRUE(Has(convert, mode)) << mode;
    EXPECT_TRUE(Has(convert, "word adjustment"));
    EXPECT_TRUE(Has(convert, "simplified to traditional"));
    // Detect names its results and its list column.
    const std::string detect = Zelvoc("detect --help").out;
    for (const char* name :
         {"134 GBK (code page 936)", "136 Big5 (code page 950)", "0 single-byte", "-1 undecided", "--list"})
        EXPECT_TRUE(Has(detect, name)) << name;
    // Transfer says that in place needs --yes.
    EXPECT_TRUE(Has(Zelvoc("transfer --help").out, "--yes"));

    const ZelvocRun all = Zelvoc("--help");
    EXPECT_EQ(all.exitCode, 0);
    for (const char* part : {"convert", "detect", "transfer", "--version", "--help"})
        EXPECT_TRUE(Has(all.out, part));
}

TEST(Zelvoc, VersionIsPrintedOnStandardOutput) {
    const ZelvocRun run = Zelvoc("--version");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "zelvoc (Zelvo) 1.1.2\n");
    EXPECT_EQ(run.err, "");
}

TEST(Zelvoc, UsageErrorsPointToTheHelp) {
    const ZelvocRun unknown = Zelvoc("convert --from gbk --fast");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(Has(unknown.err, "unknown option '--fast'")) << unknown.err;
    EXPECT_TRUE(Has(unknown.err, "zelvoc convert --help")) << unknown.err;
    const ZelvocRun command = Zelvoc("convrt");
    EXPECT_EQ(command.exitCode, 2);
    EXPECT_TRUE(Has(command.err, "unknown command 'convrt'")) << command.err;
    EXPECT_TRUE(Has(command.err, "zelvoc --help")) << command.err;
}

TEST(Zelvoc, FailuresSayWhatWasWrongAndWhatToDo) {
    const TempFolder folder("zelvoc-messages");
    const std::string missing = folder.PathOf("missing.txt");

    ZelvocRun run = Zelvoc("convert --from gbk '" + folder.path() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "'" + folder.path() + "' is a folder")) << run.err;
    EXPECT_TRUE(Has(run.err, "zelvoc transfer")) << run.err;

    run = Zelvoc("convert --from gbk '" + missing + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "'" + missing + "' does not exist")) << run.err;

    const std::string input = folder.Write("in.txt", "\xB9\xFA");
    run = Zelvoc("convert --from gbk '" + input + "' '" + folder.path() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "'" + folder.path() + "' is a folder")) << run.err;

    run = Zelvoc("convert --from gbk --home '" + folder.path() + "' '" + input + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "--mode 3")) << run.err;

    // A missing site is not called a missing text file.
    const std::string site = folder.PathOf("site");
    run = Zelvoc("transfer --g2b '" + site + "' '" + folder.PathOf("new") + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "'" + site + "' does not exist")) << run.err;
    EXPECT_FALSE(Has(run.err, "is not the path for an existing text file")) << run.err;
}

TEST(Zelvoc, TransferInPlaceOrOntoAnExistingFileNeedsYes) {
    const TempFolder folder("zelvoc-in-place");
    const std::string gbk = "\xB9\xFA\xBC\xD2\r\n";  // 国家
    const std::string big5 = "\xB0\xEA\xAE\x61\r\n";
    const std::string file = folder.Write("a.txt", gbk);

    ZelvocRun run = Zelvoc("transfer --g2b '" + file + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "--yes")) << run.err;
    EXPECT_EQ(TempFolder::Read(file), gbk);

    ASSERT_TRUE(CreateFolder(folder.PathOf("site")));
    const std::string page = folder.Write("site/b.txt", gbk);
    run = Zelvoc("transfer --g2b '" + folder.PathOf("site") + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "--yes")) << run.err;
    EXPECT_EQ(TempFolder::Read(page), gbk);

    run = Zelvoc("transfer --g2b --yes '" + file + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(file), big5);
    EXPECT_TRUE(Has(run.out, "completed")) << run.out;  // a finished file says so

    // Onto another existing file: the same rule.
    const std::string other = folder.Write("other.txt", "mine");
    run = Zelvoc("transfer --b2g '" + file + "' '" + other + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "--yes")) << run.err;
    EXPECT_EQ(TempFolder::Read(other), "mine");
    EXPECT_EQ(Zelvoc("transfer --b2g --yes '" + file + "' '" + other + "'").exitCode, 0);
    EXPECT_EQ(TempFolder::Read(other), gbk);
}

TEST(Zelvoc, TransferRefusesADestinationInsideTheSite) {
    const TempFolder folder("zelvoc-nested");
    ASSERT_TRUE(CreateFolder(folder.PathOf("site")));
    folder.Write("site/a.txt", "\xB9\xFA\r\n");
    const ZelvocRun run =
        Zelvoc("transfer --g2b --yes '" + folder.PathOf("site") + "' '" + folder.PathOf("site/out") + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "lies inside it")) << run.err;
    EXPECT_FALSE(PathExists(folder.PathOf("site/out")));
}

TEST(Zelvoc, CheckLibsListsTheProblemsOfEachLibOfAFolderInTheLibsEncoding) {
    const TempFolder folder("zelvoc-check-libs");
    // 信息, 資訊, 訊息, 軟件, 軟體 in Big5.
    const std::string info = "\xAB\x48\xAE\xA7", infoTw = "\xB8\xEA\xB0\x54", message = "\xB0\x54\xAE\xA7";
    const std::string software = "\xB3\x6E\xA5\xF3", softwareTw = "\xB3\x6E\xC5\xE9";
    ASSERT_TRUE(WriteFileBytes(folder.PathOf("a-clean.txt"), ";[T]Clean\r\n" + software + "," + softwareTw));
    ASSERT_TRUE(WriteFileBytes(folder.PathOf("b-messy.txt"),
                               ";[T]Messy\r\n" + info + "," + infoTw + "\r\n" + info + "," + infoTw + "\r\n" +
                                   software + "," + software + "\r\n" + info + "," + message));
    ASSERT_TRUE(WriteFileBytes(folder.PathOf("notes.ini"), "not a lib"));
    const ZelvocRun run = Zelvoc("check-libs --g2b '" + folder.path() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, folder.PathOf("a-clean.txt") + "\tok\n" + folder.PathOf("b-messy.txt") +
                           "\t3 problems\n" + "\tidentical-pairs\t" + info + "," + infoTw + "\t2\n" +
                           "\tseveral-adjustments\t" + info + "\t2\n" + "\tequal-to-itself\t" + software +
                           "\t1\n");

    const ZelvocRun clean = Zelvoc("check-libs --g2b '" + folder.PathOf("a-clean.txt") + "'");
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, folder.PathOf("a-clean.txt") + "\tok\n");

    const ZelvocRun missing = Zelvoc("check-libs --b2g '" + folder.PathOf("gone.txt") + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Has(missing.err, "cannot read")) << missing.err;

    EXPECT_EQ(Zelvoc("check-libs '" + folder.path() + "'").exitCode, 2);
    EXPECT_EQ(Zelvoc("check-libs --g2b --b2g '" + folder.path() + "'").exitCode, 2);
    EXPECT_EQ(Zelvoc("check-libs --g2b").exitCode, 2);
}

}  // namespace
}  // namespace zelvo
