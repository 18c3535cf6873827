// zelvoc detect [--list] FILE...
// One line per file: the guessed code and its name, a tab, the path. With --list the good
// candidates come between them, comma-separated ("-" when there are none), so the path
// stays the last field whatever it contains and the number stays the first word:
//   136 Big5 (code page 950)<TAB>134 GBK,136 Big5<TAB>some/file.txt
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "convert/charset_detector.h"

namespace zelvo::cli {
namespace {

// The short name of a detection code.
std::string CodeName(int code) {
    switch (code) {
        case kCharsetGb2312:
            return "GBK";
        case kCharsetBig5:
            return "Big5";
        case kCharsetAnsi:
            return "single-byte";
        case kCharsetHz:
        case kCharsetHzCandidate:
            return "HZ";
        case kCharsetEucTw:
            return "EUC-TW";
        case kCharsetUndecided:
            return "undecided";
        default:
            return "unknown";
    }
}

// The result column: the number first, so scripts that read the first word still work.
std::string ResultText(int code, bool readable) {
    std::string text = std::to_string(code) + " ";
    if (!readable) return text + "unreadable";
    text += CodeName(code);
    if (code == kCharsetGb2312) text += " (code page 936)";
    if (code == kCharsetBig5) text += " (code page 950)";
    return text;
}

std::string CandidatesText(const std::vector<int>& codes) {
    if (codes.empty()) return "-";
    std::string joined;
    for (int code : codes) {
        if (!joined.empty()) joined += ',';
        joined += std::to_string(code) + " " + CodeName(code);
    }
    return joined;
}

}  // namespace

const char* const kDetectHelp =
    "usage: zelvoc detect [--list] FILE...\n"
    "\n"
    "Guesses the code page of each FILE from its first 10,000 bytes and prints one line per\n"
    "file: the result, a tab, and the path. The result is a number and its name:\n"
    "  134 GBK (code page 936)    GBK, simplified Chinese\n"
    "  136 Big5 (code page 950)   Big5, traditional Chinese\n"
    "  0 single-byte              no double-byte text: ASCII or a single-byte code page\n"
    "  -1 undecided               no clear answer, for example an empty file\n"
    "  -1 unreadable              the file could not be read (also said on standard error)\n"
    "  2 HZ, 259 EUC-TW           other Chinese encodings the guess tells apart\n"
    "The number is the first word of the line, for scripts.\n"
    "\n"
    "options:\n"
    "  --list      put a second column between the result and the path: every code page\n"
    "              that scored well, comma-separated (\"134 GBK,136 Big5\"), or - for none\n"
    "  -h, --help  show this help\n"
    "\n"
    "exit status: 0 every file was read, 1 a file could not be read, 2 a usage error\n";

int RunDetect(const Arguments& args) {
    if (AsksForHelp(args)) {
        std::fputs(kDetectHelp, stdout);
        return 0;
    }
    bool withList = false;
    bool optionsEnded = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--list") {
            withList = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            return UsageError("detect", "unknown option '" + arg + "'");
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) return UsageError("detect", "give at least one FILE to look at");

    const CharsetDetector detector;
    int exitCode = 0;
    for (const std::string& path : paths) {
        std::vector<int> goodCandidates;
        bool readable = false;
        const int code = detector.GuessFileCharset(path, goodCandidates, readable);
        if (!readable) {
            std::fprintf(stderr,
                         "zelvoc detect: cannot read '%s'; check that it is a file that can be read\n",
                         path.c_str());
            exitCode = 1;
        }
        const std::string result = ResultText(code, readable);
        if (withList) {
            std::printf("%s\t%s\t%s\n", result.c_str(), CandidatesText(goodCandidates).c_str(), path.c_str());
        } else {
            std::printf("%s\t%s\n", result.c_str(), path.c_str());
        }
    }
    std::fflush(stdout);
    return exitCode;
}

}  // namespace zelvo::cli
