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

// Says what is wrong with a path that could not be read, and what to do.
void ReportUnreadable(const std::string& path) {
    if (FolderExists(path)) {
        std::fprintf(stderr,
                     "zelvoc convert: '%s' is a folder; convert takes one text file "
                     "(zelvoc transfer converts a whole folder tree)\n",
                     path.c_str());
    } else if (!PathExists(path)) {
        std::fprintf(
            stderr,
            "zelvoc convert: '%s' does not exist; give the path of a text file, or - for standard input\n",
            path.c_str());
    } else {
        std::fprintf(stderr, "zelvoc convert: cannot read '%s'; check that the file can be read\n",
                     path.c_str());
    }
}

void ReportUnwritable(const std::string& path) {
    if (FolderExists(path)) {
        std::fprintf(stderr, "zelvoc convert: '%s' is a folder; give OUTPUT as the path of a file\n",
                     path.c_str());
    } else {
        std::fprintf(stderr,
                     "zelvoc convert: cannot write '%s'; check that its folder exists and can be written to, "
                     "and that the disk is not full\n",
                     path.c_str());
    }
}

}  // namespace

const char* const kConvertHelp =
    "usage: zelvoc convert --from gbk|big5 [--mode 0|1|2|3] [--home DIR] [INPUT [OUTPUT]]\n"
    "\n"
    "Converts one text file, or standard input, and writes the result to OUTPUT or to\n"
    "standard output. Every byte is accounted for: line ends, zero bytes and bytes that are\n"
    "no character pass through unchanged. OUTPUT is replaced only when all of it is written.\n"
    "\n"
    "options:\n"
    "  --from gbk|big5  the code page of the input: GBK (code page 936, simplified Chinese)\n"
    "                   or Big5 (code page 950, traditional Chinese); required\n"
    "  --mode N         what the conversion does (default 0):\n"
    "                     0  GBK to Big5, or Big5 to GBK, through the code tables, then word\n"
    "                        adjustment: the phrase libs (the ctwa folder of the program\n"
    "                        folder) replace words whose form on the other side is not the\n"
    "                        character-by-character one\n"
    "                     1  --from gbk: simplified to traditional characters, the result stays\n"
    "                        GBK; --from big5: normalisation inside Big5\n"
    "                     2  --from gbk: traditional to simplified characters, the result stays\n"
    "                        GBK; --from big5: the same normalisation inside Big5 as mode 1\n"
    "                     3  as mode 0 without word adjustment: the code tables only\n"
    "  --home DIR       the Zelvo program folder whose libs mode 0 uses: DIR/ctwa holds the\n"
    "                   libs, DIR/config the lib lists (wag2b.ini, wab2g.ini). Default: the\n"
    "                   folder zelvoc is in\n"
    "  -h, --help       show this help\n"
    "\n"
    "INPUT and OUTPUT may be - for standard input and output; -- ends the options.\n"
    "exit status: 0 success, 1 a file could not be read or written, or no libs were found,\n"
    "2 a usage error\n";

int RunConvert(const Arguments& args) {
    ConvertOptions options;
    std::string error;
    if (!ParseConvertOptions(args, options, error)) return UsageError("convert", error);
    if (options.help) {
        std::fputs(kConvertHelp, stdout);
        return 0;
    }
    UseBinaryStandardStreams();

    std::string input;
    const bool fromStdin = options.inputPath.empty() || options.inputPath == "-";
    if (fromStdin ? !ReadStandardInput(input) : !ReadFileBytes(options.inputPath, input)) {
        if (fromStdin)
            std::fputs("zelvoc convert: cannot read standard input\n", stderr);
        else
            ReportUnreadable(options.inputPath);
        return 1;
    }

    WordAdjustmentLibList libs;
    ConversionContext context;
    if (options.mode == kModeCross) {
        std::string home = ProgramFolder(options.home);
        if (!LoadDirectionLibs(home, options.fromGbk, libs, context)) {
            std::fprintf(
                stderr,
                "zelvoc convert: no ctwa folder of word adjustment libs in '%s'; pass --home with the Zelvo "
                "program folder, or --mode 3 to convert with the code tables only\n",
                home.c_str());
            return 1;
        }
    }
    const std::string output = ConvertBytes(input, options, context);

    const bool toStdout = options.outputPath.empty() || options.outputPath == "-";
    if (toStdout ? !WriteStandardOutput(output) : !ReplaceFileBytes(options.outputPath, output)) {
        if (toStdout)
            std::fputs("zelvoc convert: cannot write standard output\n", stderr);
        else
            ReportUnwritable(options.outputPath);
        return 1;
    }
    return 0;
}

}  // namespace zelvo::cli
