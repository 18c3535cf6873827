// zelvoc transfer: File / Site Code Transfer from a script. A file or a site, in place
// without a DESTINATION, into a new (missing or empty) folder or file with one.
#include <cstdio>
#include <memory>
#include <string>

#ifdef _WIN32
#include <io.h>
#define ZELVO_ISATTY _isatty
#define ZELVO_FILENO _fileno
#else
#include <unistd.h>
#define ZELVO_ISATTY isatty
#define ZELVO_FILENO fileno
#endif

#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/transfer_options.h"
#include "platform/file_system.h"
#include "services/message_service.h"
#include "transfer/site_transfer.h"

namespace zelvo::cli {
namespace {

// The messages' CR LF line ends become the console's own.
std::string ConsoleText(const std::string& text) {
#ifdef _WIN32
    return text;
#else
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r') out.push_back(c);
    }
    return out;
#endif
}

// Prints every message; a question is answered Yes only when the user said so up front,
// since nobody is there to read it.
class ConsoleAnswerer : public MessageService {
public:
    explicit ConsoleAnswerer(bool yes) : yes_(yes) {}
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        const unsigned buttons = request.style & 0x0F;
        const bool question = buttons == kMbYesNo || buttons == kMbYesNoCancel;
        const bool error = (request.style & 0xF0) == kMbIconError;
        EndProgressLine();
        if (question) {
            std::fprintf(stderr, "%s\n", ConsoleText(request.text).c_str());
            std::fprintf(stderr, yes_ ? "(answered Yes: --yes)\n" : "(answered No; pass --yes to go on)\n");
            return MessageAnswer{yes_ ? kIdYes : kIdNo, request.checked, {}};
        }
        if (!request.caption.empty()) std::fprintf(error ? stderr : stdout, "%s: ", request.caption.c_str());
        std::fprintf(error ? stderr : stdout, "%s\n", ConsoleText(request.text).c_str());
        if (error) sawError = true;
        return MessageAnswer{DefaultResultOf(request.style), request.checked, {}};
    }
    MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) override {
        std::fprintf(stderr, "%s\n", ConsoleText(request.text).c_str());
        return MessageAnswer{kIdCancel, request.checked, initialText};
    }
    void EndProgressLine() {
        if (progressShown) std::fputc('\n', stderr);
        progressShown = false;
    }
    bool sawError = false;
    bool progressShown = false;

private:
    bool yes_;
};

// One progress line on a terminal, rewritten in place.
class ConsoleProgress : public SiteTransferDisplay {
public:
    explicit ConsoleProgress(ConsoleAnswerer& answerer) : answerer_(answerer) {}
    void ShowStatus(const std::string& text) override {
        status_ = text;
        Draw();
    }
    void ShowOverallProgress(int permille, int percent) override {
        if (percent == percent_) return;
        percent_ = percent;
        Draw();
    }

private:
    void Draw() {
        std::string status = status_.size() > 66 ? status_.substr(0, 30) + "..." + status_.substr(status_.size() - 33)
                                                  : status_;
        std::fprintf(stderr, "\r%3d%% %-70s", percent_, status.c_str());
        std::fflush(stderr);
        answerer_.progressShown = true;
    }
    ConsoleAnswerer& answerer_;
    std::string status_;
    int percent_ = 0;
};

}  // namespace

const char* const kTransferHelp =
    "usage: zelvoc transfer --g2b|--b2g SOURCE [DESTINATION] [--yes] [--no-subfolders]\n"
    "                       [--no-copy] [--change-path-code] [--home DIR]\n"
    "\n"
    "Converts a text file, or every text file of a folder tree (a site), from GBK to Big5 or\n"
    "from Big5 to GBK, with word adjustment by the libs of the program folder. Web pages\n"
    "(.htm, .html, .shtml) also get the code page named in their charset declaration.\n"
    "\n"
    "  SOURCE        a text file, or a site folder\n"
    "  DESTINATION   for a file: the new file, or a folder to put it in under its own name;\n"
    "                for a site: a new or empty folder outside the site, created when missing.\n"
    "                Without a DESTINATION the SOURCE itself is converted and overwritten,\n"
    "                which is only done with --yes.\n"
    "\n"
    "options:\n"
    "  --g2b, --b2g        GBK to Big5, or Big5 to GBK; one of them is required\n"
    "  --yes, -y           answer Yes to every question: convert in place, replace an\n"
    "                      existing DESTINATION file, go on with files that do not look like\n"
    "                      the source code page. Without it every question is answered No\n"
    "  --no-subfolders     a site: only the files at its top\n"
    "  --no-copy           a site: do not copy non-text files into the new site\n"
    "  --change-path-code  a site: convert the names of files and folders too\n"
    "  --home DIR          the Zelvo program folder whose libs are used (DIR/ctwa, DIR/config);\n"
    "                      default: the folder zelvoc is in\n"
    "  -h, --help          show this help\n"
    "\n"
    "A site's summary, or the end of a file's transfer, is printed on standard output;\n"
    "questions, problems and the progress line on standard error.\n"
    "exit status: 0 everything was transferred, 1 nothing or not everything was (the reason\n"
    "is printed), 2 a usage error\n";

int RunTransfer(const Arguments& args) {
    TransferOptions parsed;
    std::string error;
    if (!ParseTransferOptions(args, parsed, error)) return UsageError("transfer", error);
    if (parsed.help) {
        std::fputs(kTransferHelp, stdout);
        return 0;
    }
    if (!PathExists(parsed.sourcePath)) {
        std::fprintf(
            stderr,
            "zelvoc transfer: '%s' does not exist; give an existing text file or site folder as SOURCE\n",
            parsed.sourcePath.c_str());
        return 1;
    }
    if (parsed.destinationPath.empty() && !parsed.yes) {
        // In place the source is overwritten, as writing over another existing file is:
        // both need the user's word.
        std::fprintf(
            stderr,
            "zelvoc transfer: without a DESTINATION, '%s' is converted in place and overwritten; pass --yes "
            "to do that, or give a DESTINATION\n",
            parsed.sourcePath.c_str());
        return 1;
    }

    SiteTransferOptions options;
    options.targetIsFile = !FolderExists(parsed.sourcePath);
    options.resultInNew = !parsed.destinationPath.empty();
    options.includeSubFolders = parsed.includeSubFolders;
    options.copyNonText = parsed.copyNonText;
    options.gbkToBig5 = parsed.gbkToBig5;
    options.changePathCode = parsed.changePathCode;
    options.sourcePath = parsed.sourcePath;
    options.destinationPath = options.resultInNew ? parsed.destinationPath : parsed.sourcePath;
    // A file sent into an existing folder keeps its name there. Replacing an existing file
    // is asked by the transfer, and answered by --yes.
    if (options.targetIsFile && options.resultInNew && FolderExists(options.destinationPath))
        options.destinationPath = JoinPath(options.destinationPath, FileNamePart(options.sourcePath));

    WordAdjustmentLibList libs;
    ConversionContext context;
    const std::string home = ProgramFolder(parsed.home);
    if (!LoadDirectionLibs(home, parsed.gbkToBig5, libs, context)) {
        std::fprintf(
            stderr,
            "zelvoc transfer: no ctwa folder of word adjustment libs in '%s'; pass --home with the Zelvo "
            "program folder\n",
            home.c_str());
        return 1;
    }
    volatile int transferState = kTransferStopped;
    context.control.transferState = &transferState;

    auto answererOwned = std::make_unique<ConsoleAnswerer>(parsed.yes);
    ConsoleAnswerer* answerer = answererOwned.get();
    std::unique_ptr<MessageService> previous = SetMessageService(std::move(answererOwned));

    SiteTransfer transfer(context);
    transfer.options = options;
    ConsoleProgress console(*answerer);
    if (ZELVO_ISATTY(ZELVO_FILENO(stderr))) transfer.display = &console;

    const bool completed = transfer.OnTransfer();
    answerer->EndProgressLine();
    SetMessageService(std::move(previous));
    return completed && transfer.problems.empty() ? 0 : 1;
}

}  // namespace zelvo::cli
