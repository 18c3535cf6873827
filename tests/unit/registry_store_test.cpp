#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "test_support.h"

namespace zelvo {
namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { SetRegistryRoot(kRegistryRootPath); }
    testing_support::ScopedRegistry memory_;
};

TEST_F(RegistryStoreTest, ReadsFallBackToDefaultsAndWritesReadBack) {
    EXPECT_EQ(ReadRegInt("Shell", "Tried", 0), 0);
    EXPECT_EQ(ReadRegString("App", "Path", "none"), "none");
    EXPECT_TRUE(WriteRegInt("Shell", "Tried", 1));
    EXPECT_TRUE(WriteRegString("App", "Path", "C:\\Zelvo\\zelvo.exe"));
    EXPECT_EQ(ReadRegInt("shell", "TRIED", 0), 1);  // names are case-insensitive
    EXPECT_EQ(ReadRegString("App", "Path", ""), "C:\\Zelvo\\zelvo.exe");
    EXPECT_EQ(ReadRegInt("Code Transfer", "Change Path Code", -5), -5);
    EXPECT_TRUE(WriteRegInt("File\\MRU Source", "Count", -1));
    EXPECT_EQ(ReadRegInt("File\\MRU Source", "Count", 0), -1);
}

TEST_F(RegistryStoreTest, FailedWritesReportAndLeaveDefaults) {
    memory_->failWrites = true;
    EXPECT_FALSE(WriteRegInt("Shell", "LCID", 2052));
    EXPECT_EQ(ReadRegInt("Shell", "LCID", 1033), 1033);
}

TEST_F(RegistryStoreTest, RootsKeepValuesApartAndAreTrimmed) {
    WriteRegInt("Zelvo", "On Top", 1);
    SetRegistryRoot("\\ software\\Other\\ \r\n");
    EXPECT_EQ(RegistryRoot(), "software\\Other");
    EXPECT_EQ(ReadRegInt("Zelvo", "On Top", 0), 0);
    SetRegistryRoot(kRegistryRootPath);
    EXPECT_EQ(ReadRegInt("Zelvo", "On Top", 0), 1);
}

TEST(Paths, JoinAndSplitKeepOneSeparator) {
    std::string joined = JoinPath("a", "b");
    EXPECT_EQ(joined, std::string("a") + kPathSeparator + "b");
    EXPECT_EQ(JoinPath("a/", "/b"), "a/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
    EXPECT_EQ(ParentFolder("C:\\dir\\file.txt"), "C:\\dir");
    EXPECT_EQ(FileNamePart("C:\\dir\\file.txt"), "file.txt");
    EXPECT_EQ(ParentFolder("file.txt"), "");
}

}  // namespace
}  // namespace zelvo
