// zelvoc convert: one file or standard input through the conversion pipeline: the code
// tables, then (mode 0) the word adjustment libs of a program folder.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/commands.h"
#include "cli/convert_options.h"
#include "cli/program_folder.h"
#include "convert/code_tables.h"
#include "convert/pipeline.h"
#include "convert/word_adjustment_lib.h"
#include "platform/file_system.h"

namespace zelvo::cli {
namespace {

void UseBinaryStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

bool ReadStandardInput(std::string& out) {
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) out.append(buffer, n);
    return !std::ferror(stdin);
}

bool WriteStandardOutput(const std::string& data) {
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), stdout) != data.size()) return false;
    return std::fflush(stdout) == 0;
}

// A file may hold zero bytes; they are kept and the stretches between them converted.
std::string ConvertBytes(const std::string& input, const ConvertOptions& options, ConversionContext& context) {
    std::string output;
    TransferTextKeepingZeros(context, nullptr, input, options.fromGbk, options.mode, output);
    return output;
}

}  // namespace

int RunConvert(const Arguments& args) {
    ConvertOptions options;
    std::string error;
    if (!ParseConvertOptions(args, options, error)) {
        std::fprintf(stderr, "zelvoc convert: %s\n", error.c_str());
        return 2;
    }
    UseBinaryStandardStreams();

    std::string input;
    const bool fromStdin = options.inputPath.empty() || options.inputPath == "-";
    if (fromStdin ? !ReadStandardInput(input) : !ReadFileBytes(options.inputPath, input)) {
        std::fprintf(stderr, "zelvoc convert: cannot read '%s'\n",
                     fromStdin ? "standard input" : options.inputPath.c_str());
        return 1;
    }

    WordAdjustmentLibList libs;
    ConversionContext context;
    if (options.mode == kModeCross) {
        std::string home = ProgramFolder(options.home);
        if (!LoadDirectionLibs(home, options.fromGbk, libs, context)) {
            std::fprintf(stderr, "zelvoc convert: no ctwa folder of word adjustment libs in '%s'\n", home.c_str());
            return 1;
        }
    }
    const std::string output = ConvertBytes(input, options, context);

    const bool toStdout = options.outputPath.empty() || options.outputPath == "-";
    if (toStdout ? !WriteStandardOutput(output) : !ReplaceFileBytes(options.outputPath, output)) {
        std::fprintf(stderr, "zelvoc convert: cannot write '%s'\n",
                     toStdout ? "standard output" : options.outputPath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace zelvo::cli
