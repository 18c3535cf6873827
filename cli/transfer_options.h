// Arguments of `zelvoc transfer`, parsed apart from the command so tests can drive it.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace zelvo::cli {

struct TransferOptions {
    bool gbkToBig5 = true;          // --g2b | --b2g, one of them required
    bool includeSubFolders = true;  // --no-subfolders turns it off
    bool copyNonText = true;        // --no-copy turns it off
    bool changePathCode = false;    // --change-path-code
    bool yes = false;               // --yes: answer the questions with Yes
    std::string home;               // --home DIR: the program folder whose libs are used
    std::string sourcePath;
    std::string destinationPath;    // empty: in place
    bool help = false;              // --help or -h: show the help, whatever else is given
};

// Fills options from args; on a usage error returns false with a one-line message.
inline bool ParseTransferOptions(const std::vector<std::string>& args, TransferOptions& options,
                                 std::string& error) {
    options = TransferOptions{};
    if (AsksForHelp(args)) {
        options.help = true;
        return true;
    }
    int directions = 0;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--g2b" || arg == "--b2g") {
            options.gbkToBig5 = arg == "--g2b";
            ++directions;
        } else if (arg == "--no-subfolders") {
            options.includeSubFolders = false;
        } else if (arg == "--no-copy") {
            options.copyNonText = false;
        } else if (arg == "--change-path-code") {
            options.changePathCode = true;
        } else if (arg == "--yes" || arg == "-y") {
            options.yes = true;
        } else if (arg == "--home" || arg.rfind("--home=", 0) == 0) {
            if (arg == "--home") {
                if (i + 1 >= args.size()) {
                    error = "--home needs a value";
                    return false;
                }
                options.home = args[++i];
            } else {
                options.home = arg.substr(7);
            }
        } else if (arg == "--") {
            paths.insert(paths.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return false;
        } else {
            paths.push_back(arg);
        }
    }
    if (directions != 1) {
        error = directions == 0 ? "say which way to convert: --g2b (GBK to Big5) or --b2g (Big5 to GBK)"
                                : "give only one of --g2b and --b2g";
        return false;
    }
    if (paths.empty() || paths[0].empty()) {
        error = "a SOURCE file or site folder is required";
        return false;
    }
    if (paths.size() > 2) {
        error = "too many paths: at most SOURCE and DESTINATION";
        return false;
    }
    options.sourcePath = paths[0];
    if (paths.size() == 2) {
        if (paths[1].empty()) {
            error = "the DESTINATION path is empty";
            return false;
        }
        options.destinationPath = paths[1];
    }
    return true;
}

}  // namespace zelvo::cli
