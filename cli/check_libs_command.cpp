// zelvoc check-libs --g2b|--b2g PATH...
// The complete check of word adjustment lib files, as the lib editor runs it: for each lib
// one line, the path, a tab and "ok" or the number of problems; then one line per problem,
// a tab, its kind, a tab, the word (a pair as "WORD,AFTER"), a tab, its count. The words are
// written as the lib holds them (Big5 for --g2b, GBK for --b2g).
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "convert/lib_validation.h"
#include "platform/file_system.h"
#include "services/multibyte.h"

namespace zelvo::cli {
namespace {

const char* KindName(LibProblemKind kind) {
    switch (kind) {
        case LibProblemKind::kEqualToItself:
            return "equal-to-itself";
        case LibProblemKind::kIdenticalPairs:
            return "identical-pairs";
        case LibProblemKind::kSeveralAdjustments:
            return "several-adjustments";
        case LibProblemKind::kRepeatedWord:
            break;
    }
    return "repeated-word";
}

// The lib files a path names: the file itself, or the "*.txt" files of a folder, by name.
std::vector<std::string> LibFilesOf(const std::string& path) {
    if (!FolderExists(path)) return {path};
    std::vector<FolderEntry> entries;
    ListFolder(path, entries);
    std::vector<std::string> files;
    for (const FolderEntry& entry : entries)
        if (!entry.isFolder && EndsWithTextNoCase(entry.name, ".txt", 0))
            files.push_back(JoinPath(path, entry.name));
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

const char* const kCheckLibsHelp =
    "usage: zelvoc check-libs --g2b|--b2g PATH...\n"
    "\n"
    "Checks word adjustment lib files for needless items, as the lib editor's complete\n"
    "check does. PATH is a lib file or a folder whose *.txt files are libs. For each lib it\n"
    "prints the path, a tab, and \"ok\" or the number of problems, then one line per\n"
    "problem: a tab, the kind, a tab, the word, a tab, how often it occurs. The kinds:\n"
    "  equal-to-itself      an item whose word after adjustment is the word itself\n"
    "  identical-pairs      one pair listed more than once (the word is \"WORD,AFTER\")\n"
    "  several-adjustments  one word with different words after adjustment\n"
    "Words are written in the libs' own encoding.\n"
    "\n"
    "options:\n"
    "  --g2b       the libs are Big5 libs (used in GBK->Big5)\n"
    "  --b2g       the libs are GBK libs (used in Big5->GBK)\n"
    "  -h, --help  show this help\n"
    "\n"
    "exit status: 0 no problem in any lib, 1 a lib has problems or could not be read,\n"
    "2 a usage error\n";

int RunCheckLibs(const Arguments& args) {
    if (AsksForHelp(args)) {
        std::fputs(kCheckLibsHelp, stdout);
        return 0;
    }
    int direction = 0;  // 1 G2B, 2 B2G
    bool optionsEnded = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--g2b" || arg == "--b2g")) {
            const int chosen = arg == "--g2b" ? 1 : 2;
            if (direction && direction != chosen)
                return UsageError("check-libs", "give only one of --g2b and --b2g");
            direction = chosen;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            return UsageError("check-libs", "unknown option '" + arg + "'");
        } else {
            paths.push_back(arg);
        }
    }
    if (!direction)
        return UsageError("check-libs", "say whether the libs are Big5 (--g2b) or GBK (--b2g) libs");
    if (paths.empty()) return UsageError("check-libs", "give at least one lib file or folder to check");
    const bool isG2B = direction == 1;

    int exitCode = 0;
    for (const std::string& path : paths) {
        for (const std::string& file : LibFilesOf(path)) {
            WordAdjustmentLibList list;
            auto lib = std::make_unique<WordAdjustmentLib>();
            lib->path = file;
            lib->isG2B = isG2B;
            if (!ReadLibFile(*lib, isG2B, true)) {
                std::fprintf(
                    stderr,
                    "zelvoc check-libs: cannot read '%s'; check that it is a lib file that can be read\n",
                    file.c_str());
                exitCode = 1;
                continue;
            }
            list.push_back(std::move(lib));
            const std::vector<LibProblem> problems = ScanLibList(list, true);
            if (problems.empty()) {
                std::printf("%s\tok\n", file.c_str());
                continue;
            }
            exitCode = 1;
            std::printf("%s\t%zu problem%s\n", file.c_str(), problems.size(),
                        problems.size() == 1 ? "" : "s");
            for (const LibProblem& problem : problems) {
                std::string word = problem.word;
                if (problem.kind == LibProblemKind::kIdenticalPairs) word += "," + problem.after;
                std::printf("\t%s\t%s\t%d\n", KindName(problem.kind), word.c_str(), problem.count);
            }
        }
    }
    std::fflush(stdout);
    return exitCode;
}

}  // namespace zelvo::cli
