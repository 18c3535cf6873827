// zelvoc: the console companion. Drives the core from scripts: convert, detect, transfer.
// Exit codes: 0 success, 1 a problem with the input or output, 2 a usage error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

void PrintUsage(FILE* out) {
    std::fputs(
        "usage: zelvoc <command> [options]\n"
        "commands:\n"
        "  convert --from gbk|big5 [--mode 0|1|2|3] [--home DIR] [INPUT [OUTPUT]]\n"
        "  detect [--list] FILE...\n"
        "  transfer --g2b|--b2g SOURCE [DESTINATION] [--no-subfolders] [--no-copy]\n"
        "           [--change-path-code] [--yes]\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(stdout);
        return 0;
    }
    for (const zelvo::cli::Command& entry : zelvo::cli::Commands()) {
        if (command == entry.name) return entry.run(args);
    }
    std::fprintf(stderr, "zelvoc: unknown command '%s'\n", command.c_str());
    PrintUsage(stderr);
    return 2;
}
