// The project's own lossless codec for code pages 936 (GBK) and 950 (Big5), used to
// show byte text in Unicode (W) controls. Bytes that do not decode are mapped to
// reserved code points and back, so Encode(Decode(bytes)) == bytes for every byte string.
#pragma once

#include <string>
#include <string_view>

namespace zelvo {

bool HasLosslessCodec(int codePage);  // 936 and 950
std::u16string DecodeCodePage(std::string_view bytes, int codePage);
std::string EncodeCodePage(std::u16string_view text, int codePage);

}  // namespace zelvo
