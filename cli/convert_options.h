// Arguments of `zelvoc convert`, parsed apart from the command so tests can drive it.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace zelvo::cli {

struct ConvertOptions {
    bool fromGbk = true;      // --from gbk | big5
    int mode = 0;             // --mode 0|1|2|3, the TransferMode
    std::string home;         // --home DIR: the program folder whose libs the pipeline reads
    std::string inputPath;    // empty or "-": standard input
    std::string outputPath;   // empty or "-": standard output
    bool help = false;        // --help or -h: show the help, whatever else is given
};

// Fills options from args; on a usage error returns false with a one-line message.
inline bool ParseConvertOptions(const std::vector<std::string>& args, ConvertOptions& options,
                                std::string& error) {
    options = ConvertOptions{};
    if (AsksForHelp(args)) {
        options.help = true;
        return true;
    }
    bool sawFrom = false;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string name = arg, value;
        bool inlineValue = false;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            name = arg.substr(0, arg.find('='));
            value = arg.substr(arg.find('=') + 1);
            inlineValue = true;
        }
        if (name == "--from" || name == "--mode" || name == "--home") {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    error = name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            if (name == "--from") {
                if (value == "gbk" || value == "GBK") {
                    options.fromGbk = true;
                } else if (value == "big5" || value == "BIG5" || value == "Big5") {
                    options.fromGbk = false;
                } else {
                    error = "--from takes gbk (GBK text in) or big5 (Big5 text in), not '" + value + "'";
                    return false;
                }
                sawFrom = true;
            } else if (name == "--mode") {
                if (value.size() != 1 || value[0] < '0' || value[0] > '3') {
                    error = "--mode takes 0, 1, 2 or 3 (see the modes in the help), not '" + value + "'";
                    return false;
                }
                options.mode = value[0] - '0';
            } else {
                options.home = value;
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
    if (!sawFrom) {
        error = "say which code page the input is in: --from gbk or --from big5";
        return false;
    }
    if (paths.size() > 2) {
        error = "too many paths: at most INPUT and OUTPUT";
        return false;
    }
    if (paths.size() >= 1) options.inputPath = paths[0];
    if (paths.size() == 2) options.outputPath = paths[1];
    if (options.inputPath.empty() && paths.size() >= 1) {
        error = "the input path is empty";
        return false;
    }
    return true;
}

}  // namespace zelvo::cli
