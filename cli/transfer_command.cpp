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

int RunTransfer(const Arguments& args) {
    TransferOptions parsed;
    std::string error;
    if (!ParseTransferOptions(args, parsed, error)) {
        std::fprintf(stderr, "zelvoc transfer: %s\n", error.c_str());
        std::fputs("usage: zelvoc transfer --g2b|--b2g SOURCE [DESTINATION] [--no-subfolders] [--no-copy]\n"
                   "                       [--change-path-code] [--yes] [--home DIR]\n",
                   stderr);
        return 2;
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
    if (options.targetIsFile && options.resultInNew) {
        // A file sent into an existing folder keeps its name there.
        if (FolderExists(options.destinationPath))
            options.destinationPath = JoinPath(options.destinationPath, FileNamePart(options.sourcePath));
        if (PathExists(options.destinationPath) && !parsed.yes) {
            std::fprintf(stderr, "zelvoc transfer: '%s' exists; pass --yes to overwrite it\n",
                         options.destinationPath.c_str());
            return 1;
        }
    }

    WordAdjustmentLibList libs;
    ConversionContext context;
    const std::string home = ProgramFolder(parsed.home);
    if (!LoadDirectionLibs(home, parsed.gbkToBig5, libs, context)) {
        std::fprintf(stderr, "zelvoc transfer: no ctwa folder of word adjustment libs in '%s'\n", home.c_str());
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
