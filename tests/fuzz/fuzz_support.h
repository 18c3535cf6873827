// Helpers shared by the libFuzzer targets: readers that take a path get the input through
// one scratch file per process, and the input is cut into a few parts where a target needs
// more than one value from it.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace zelvo::fuzz {

// A folder of this process under the temporary folder, made on first use.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        // Memory-backed when the system has it: settings files are saved with fsync.
        const char* tmp = std::getenv("TMPDIR");
        std::string base = tmp && *tmp ? tmp : FolderExists("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string path = base + "/zelvo-fuzz-" + std::to_string(getpid());
        CreateFolder(path);
        return path;
    }();
    return folder;
}

// Writes bytes to the named scratch file and returns its path; aborts when it cannot, as a
// fuzzer that silently tested nothing would be worse than one that stops.
inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
    std::string path = JoinPath(ScratchFolder(), name);
    if (!WriteFileBytes(path, std::string(bytes))) std::abort();
    return path;
}

// Reads the input from the front: single bytes for choices, then the parts between
// separators.
class InputReader {
  public:
    InputReader(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
    unsigned Byte() {
        if (rest_.empty()) return 0;
        unsigned b = static_cast<unsigned char>(rest_[0]);
        rest_.remove_prefix(1);
        return b;
    }
    // The text up to the next separator (a zero byte pair would be rare in text, a single
    // zero byte is a valid part of some inputs, so the separator is "\0\0"); the rest when
    // there is none.
    std::string_view Part() {
        size_t at = rest_.find(std::string_view("\0\0", 2));
        std::string_view part = rest_.substr(0, at);
        rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 2);
        return part;
    }
    std::string_view Rest() const { return rest_; }

  private:
    std::string_view rest_;
};

}  // namespace zelvo::fuzz
