// The subcommands of zelvoc, one file each.
#pragma once

#include <string>
#include <vector>

namespace zelvo::cli {

using Arguments = std::vector<std::string>;

int RunConvert(const Arguments& args);
int RunDetect(const Arguments& args);
int RunTransfer(const Arguments& args);
int RunCheckLibs(const Arguments& args);

// Each command's help, printed by "zelvoc COMMAND --help" and "zelvoc help COMMAND".
extern const char* const kConvertHelp;
extern const char* const kDetectHelp;
extern const char* const kTransferHelp;
extern const char* const kCheckLibsHelp;

struct Command {
    const char* name;
    int (*run)(const Arguments& args);
    const char* const* help;
};

// The table of subcommands; a new subcommand adds its row in commands.cpp.
const std::vector<Command>& Commands();

// True for "--help" and "-h".
inline bool IsHelpOption(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}
// True when --help or -h comes before any "--" that ends the options: help is shown
// whatever else the line holds.
inline bool AsksForHelp(const Arguments& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (IsHelpOption(arg)) return true;
    }
    return false;
}
// A usage error of a command: the message, then where to read the command's help, on
// standard error. Returns the usage exit status, 2.
int UsageError(const char* command, const std::string& message);

}  // namespace zelvo::cli
