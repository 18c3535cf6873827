// zelvoc detect [--list] FILE...
// One line per file: the guessed code, a tab, the path. With --list the good
// candidates come between them, comma-separated ("-" when there are none), so the
// path stays the last field whatever it contains:
//   136<TAB>134,136<TAB>some/file.txt
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "convert/charset_detector.h"

namespace zelvo::cli {
namespace {

std::string JoinCodes(const std::vector<int>& codes) {
    if (codes.empty()) return "-";
    std::string joined;
    for (int code : codes) {
        if (!joined.empty()) joined += ',';
        joined += std::to_string(code);
    }
    return joined;
}

void PrintDetectUsage() {
    std::fputs("usage: zelvoc detect [--list] FILE...\n", stderr);
}

}  // namespace

int RunDetect(const Arguments& args) {
    bool withList = false;
    bool optionsEnded = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--list") {
            withList = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "zelvoc detect: unknown option '%s'\n", arg.c_str());
            PrintDetectUsage();
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) {
        PrintDetectUsage();
        return 2;
    }

    const CharsetDetector detector;
    int exitCode = 0;
    for (const std::string& path : paths) {
        std::vector<int> goodCandidates;
        bool readable = false;
        const int code = detector.GuessFileCharset(path, goodCandidates, readable);
        if (!readable) {
            std::fprintf(stderr, "zelvoc detect: cannot read '%s'\n", path.c_str());
            exitCode = 1;
        }
        if (withList) {
            std::printf("%d\t%s\t%s\n", code, JoinCodes(goodCandidates).c_str(), path.c_str());
        } else {
            std::printf("%d\t%s\n", code, path.c_str());
        }
    }
    std::fflush(stdout);
    return exitCode;
}

}  // namespace zelvo::cli
