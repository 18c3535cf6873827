// Small fixture helpers for the unit tests: each one sets something up in its constructor
// and puts it back in its destructor, so a fixture only has to hold them as members.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "services/message_service.h"

namespace zelvo::testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    explicit TempFolder(const std::string& prefix = "zelvo-test") {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a folder like " + pattern);
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string PathOf(const std::string& name) const { return JoinPath(path_, name); }
    // Writes the bytes to the named file in the folder; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::string path = PathOf(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes)) << path;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
        return bytes;
    }

  private:
    std::string path_;
};

// Messages go to a ScriptedMessageService while this lives; -> reaches the service.
class ScopedMessages {
  public:
    ScopedMessages() {
        auto scripted = std::make_unique<ScriptedMessageService>();
        service_ = scripted.get();
        previous_ = SetMessageService(std::move(scripted));
    }
    ~ScopedMessages() { SetMessageService(std::move(previous_)); }
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;

    ScriptedMessageService* operator->() const { return service_; }
    ScriptedMessageService& operator*() const { return *service_; }

  private:
    ScriptedMessageService* service_ = nullptr;
    std::unique_ptr<MessageService> previous_;
};

// Registry reads and writes go to a MemoryRegistryBackend while this lives.
class ScopedRegistry {
  public:
    ScopedRegistry() {
        auto memory = std::make_unique<MemoryRegistryBackend>();
        memory_ = memory.get();
        previous_ = SetRegistryBackend(std::move(memory));
    }
    ~ScopedRegistry() { SetRegistryBackend(std::move(previous_)); }
    ScopedRegistry(const ScopedRegistry&) = delete;
    ScopedRegistry& operator=(const ScopedRegistry&) = delete;

    MemoryRegistryBackend* operator->() const { return memory_; }
    MemoryRegistryBackend& operator*() const { return *memory_; }

  private:
    MemoryRegistryBackend* memory_ = nullptr;
    std::unique_ptr<RegistryBackend> previous_;
};

// While this lives, every write that would make a file grow fails (EFBIG), as writes do
// on a full disk: the process's file size limit is 0. Unlike permissions, the limit binds
// root as well, and the file being replaced keeps its old bytes. SIGXFSZ is ignored
// meanwhile, so the failing write returns instead of ending the process.
class ScopedWriteFailure {
  public:
    ScopedWriteFailure() {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);
        struct rlimit none = saved_;
        none.rlim_cur = 0;
        active_ = setrlimit(RLIMIT_FSIZE, &none) == 0;
        EXPECT_TRUE(active_) << "cannot lower the file size limit";
    }
    ~ScopedWriteFailure() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previousHandler_);
    }
    ScopedWriteFailure(const ScopedWriteFailure&) = delete;
    ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;

  private:
    struct rlimit saved_ {};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

// Gives the system code page for the tests (none by default); the system's own comes back
// at the end, whatever a test set in between.
class ScopedCodePage {
  public:
    ScopedCodePage() = default;
    explicit ScopedCodePage(int codePage) { SetSystemCodePageForTests(codePage); }
    ~ScopedCodePage() { SetSystemCodePageForTests(0); }
    ScopedCodePage(const ScopedCodePage&) = delete;
    ScopedCodePage& operator=(const ScopedCodePage&) = delete;
};

// Sentences long enough for the code page guess to decide.
// The same three sentences of everyday words, in GBK and in Big5 (traditional forms):
// "Our country is a country of many people; everyone works hard. He says this is not
// my book, that is yours. Today we have a lot of time and can go to a film together."
inline const std::string kGbkText =
    "\xCE\xD2\xC3\xC7\xB5\xC4\xB9\xFA\xBC\xD2\xCA\xC7\xD2\xBB\xB8\xF6\xC8\xCB\xBF\xDA\xBA\xDC\xB6\xE0\xB5\xC4"
    "\xB9\xFA\xBC\xD2\xA3\xAC\xB4\xF3\xBC\xD2\xB6\xBC\xD4\xDA\xC5\xAC\xC1\xA6\xB9\xA4\xD7\xF7\xA1\xA3\xCB\xFB"
    "\xCB\xB5\xD5\xE2\xB2\xBB\xCA\xC7\xCE\xD2\xB5\xC4\xCA\xE9\xA3\xAC\xC4\xC7\xCA\xC7\xC4\xE3\xB5\xC4\xA1\xA3"
    "\xBD\xF1\xCC\xEC\xCE\xD2\xC3\xC7\xD3\xD0\xBA\xDC\xB6\xE0\xCA\xB1\xBC\xE4\xA3\xAC\xBF\xC9\xD2\xD4\xD2\xBB"
    "\xC6\xF0\xC8\xA5\xBF\xB4\xB5\xE7\xD3\xB0\xA1\xA3";
inline const std::string kBig5Text =
    "\xA7\xDA\xAD\xCC\xAA\xBA\xB0\xEA\xAE\x61\xAC\x4F\xA4\x40\xAD\xD3\xA4\x48\xA4\x66\xAB\xDC\xA6\x68\xAA\xBA"
    "\xB0\xEA\xAE\x61\xA1\x41\xA4\x6A\xAE\x61\xB3\xA3\xA6\x62\xA7\x56\xA4\x4F\xA4\x75\xA7\x40\xA1\x43\xA5\x4C"
    "\xBB\xA1\xB3\x6F\xA4\xA3\xAC\x4F\xA7\xDA\xAA\xBA\xAE\xD1\xA1\x41\xA8\xBA\xAC\x4F\xA7\x41\xAA\xBA\xA1\x43"
    "\xA4\xB5\xA4\xD1\xA7\xDA\xAD\xCC\xA6\xB3\xAB\xDC\xA6\x68\xAE\xC9\xB6\xA1\xA1\x41\xA5\x69\xA5\x48\xA4\x40"
    "\xB0\x5F\xA5\x68\xAC\xDD\xB9\x71\xBC\x76\xA1\x43";

}  // namespace zelvo::testing_support
