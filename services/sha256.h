// SHA-256 (FIPS 180-4) of byte strings, fed in pieces as a download arrives or all at once,
// and the comparison of a digest with the hexadecimal form an update file publishes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvo {

using Sha256Digest = std::array<uint8_t, 32>;

class Sha256 {
  public:
    Sha256();
    void Update(std::string_view bytes);
    // The digest of everything given so far; the object then starts again from empty.
    Sha256Digest Finish();

  private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(std::string_view bytes);
// 64 lower-case hexadecimal digits.
std::string Sha256Hex(const Sha256Digest& digest);
// True when text is 64 hexadecimal digits (either case).
bool IsSha256Hex(std::string_view text);
// True when text is the digest's 64 hexadecimal digits, in either case; false for
// anything else, an empty or shortened text included.
bool Sha256Matches(const Sha256Digest& digest, std::string_view text);

}  // namespace zelvo
