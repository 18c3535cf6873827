#include "services/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvo {
namespace {

// The FIPS 180-2 example messages and their published digests.
constexpr const char* kAbcDigest = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
constexpr const char* kEmptyDigest = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
constexpr const char* k448BitMessage = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
constexpr const char* k448BitDigest = "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1";
constexpr const char* kMillionADigest = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";

TEST(Sha256, GivesThePublishedDigestsOfTheStandardMessages) {
    EXPECT_EQ(Sha256Hex(Sha256Of("abc")), kAbcDigest);
    EXPECT_EQ(Sha256Hex(Sha256Of("")), kEmptyDigest);
    // 56 bytes: the length no longer fits the first block, so padding takes a second one.
    EXPECT_EQ(Sha256Hex(Sha256Of(k448BitMessage)), k448BitDigest);
    EXPECT_EQ(Sha256Hex(Sha256Of(std::string(1000000, 'a'))), kMillionADigest);
}

TEST(Sha256, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    // A download arrives in blocks of 512 bytes with a short last one; other sizes cross the
    // 64-byte blocks at every offset.
    for (size_t piece : {1u, 7u, 55u, 56u, 63u, 64u, 65u, 512u, 4099u}) {
        SCOPED_TRACE(piece);
        Sha256 hash;
        const std::string message(1000000, 'a');
        for (size_t at = 0; at < message.size(); at += piece)
            hash.Update(std::string_view(message).substr(at, piece));
        EXPECT_EQ(Sha256Hex(hash.Finish()), kMillionADigest);
    }
    Sha256 hash;
    for (char c : std::string(k448BitMessage)) hash.Update(std::string_view(&c, 1));
    EXPECT_EQ(Sha256Hex(hash.Finish()), k448BitDigest);
    // Finish starts the object again from empty.
    hash.Update("abc");
    EXPECT_EQ(Sha256Hex(hash.Finish()), kAbcDigest);
}

TEST(Sha256, MatchesOnlyTheFullHexFormInEitherCase) {
    const Sha256Digest digest = Sha256Of("abc");
    EXPECT_TRUE(Sha256Matches(digest, kAbcDigest));
    EXPECT_TRUE(Sha256Matches(digest, "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"));
    std::string changed = kAbcDigest;
    changed[63] = 'c';
    EXPECT_FALSE(Sha256Matches(digest, changed));
    changed = kAbcDigest;
    changed[0] = 'c';
    EXPECT_FALSE(Sha256Matches(digest, changed));
    EXPECT_FALSE(Sha256Matches(digest, ""));
    EXPECT_FALSE(Sha256Matches(digest, std::string(kAbcDigest).substr(0, 62)));
    EXPECT_FALSE(Sha256Matches(digest, std::string(kAbcDigest) + "0"));
    EXPECT_FALSE(Sha256Matches(
        digest, std::string("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015a") + "g"));
    EXPECT_TRUE(IsSha256Hex(kEmptyDigest));
    EXPECT_FALSE(IsSha256Hex(std::string(kEmptyDigest) + " "));
}

}  // namespace
}  // namespace zelvo
