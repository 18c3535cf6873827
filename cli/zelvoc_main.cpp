// zelvoc: the console companion. Drives the core from scripts: convert, detect, transfer,
// check-libs.
// Exit codes: 0 success, 1 a problem with the input or output, 2 a usage error.
#include <cstdio>
#include <string>
#include <vector>

#include "app/editor_app.h"
#include "cli/commands.h"

namespace {

void PrintUsage(FILE* out) {
    std::fputs(
        "usage: zelvoc COMMAND [options]\n"
        "       zelvoc COMMAND --help | zelvoc help COMMAND   (a command's options)\n"
        "       zelvoc --version\n"
        "\n"
        "Converts Chinese text between GBK (code page 936) and Big5 (code page 950), as the\n"
        "Zelvo editor does, from scripts.\n"
        "\n"
        "commands:\n"
        "  convert   one text file or standard input, in any of the four conversion modes\n"
        "            zelvoc convert --from gbk|big5 [--mode 0|1|2|3] [--home DIR] [INPUT [OUTPUT]]\n"
        "  detect    guesses the code page of files\n"
        "            zelvoc detect [--list] FILE...\n"
        "  transfer  a text file or a whole folder tree (a site), web page charsets included\n"
        "            zelvoc transfer --g2b|--b2g SOURCE [DESTINATION] [--yes] [options]\n"
        "  check-libs checks word adjustment lib files for needless items\n"
        "            zelvoc check-libs --g2b|--b2g PATH...\n"
        "\n"
        "exit status: 0 success, 1 a problem with the input or output (said on standard\n"
        "error), 2 a usage error\n",
        out);
}

const zelvo::cli::Command* FindCommand(const std::string& name) {
    for (const zelvo::cli::Command& entry : zelvo::cli::Commands()) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

int UnknownCommand(const std::string& name) {
    std::fprintf(stderr,
                 "zelvoc: unknown command '%s'; the commands are convert, detect, transfer and check-libs.\n"
                 "Try 'zelvoc --help'.\n",
                 name.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--version" || command == "version") {
        std::printf("zelvoc (Zelvo) %s\n", zelvo::kProductVersion);
        return 0;
    }
    if (zelvo::cli::IsHelpOption(command) || command == "help") {
        if (command == "help" && !args.empty()) {
            const zelvo::cli::Command* entry = FindCommand(args[0]);
            if (!entry) return UnknownCommand(args[0]);
            std::fputs(*entry->help, stdout);
            return 0;
        }
        PrintUsage(stdout);
        return 0;
    }
    if (const zelvo::cli::Command* entry = FindCommand(command)) return entry->run(args);
    return UnknownCommand(command);
}
