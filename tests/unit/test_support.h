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
#include "services/ui_strings.h"
#include "test_data.h"

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

// The UI language is the given one while this lives; the one before comes back at the end.
class ScopedUiLcid {
  public:
    explicit ScopedUiLcid(int lcid) : previous_(UiLcid()) { SetUiLcid(lcid); }
    ~ScopedUiLcid() { SetUiLcid(previous_); }
    ScopedUiLcid(const ScopedUiLcid&) = delete;
    ScopedUiLcid& operator=(const ScopedUiLcid&) = delete;

  private:
    int previous_;
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

// Sentences long enough for the code page guess to decide: the same three sentences of
// everyday words in GBK and in Big5 (traditional forms), from tests/data/sample_sentences.txt.
inline const std::string kGbkText = SampleSentence("everyday", "gbk");
inline const std::string kBig5Text = SampleSentence("everyday", "big5");

}  // namespace zelvo::testing_support
