#include "services/multibyte.h"

#include <algorithm>
#include <cstring>

namespace zelvo {

size_t CharLengthAt(std::string_view text, size_t pos, int codePage) {
    if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos]), codePage)) return 2;
    return 1;
}

bool IsCharBoundary(std::string_view text, size_t pos, int codePage) {
    if (!IsDoubleByteCodePage(codePage)) return true;
    size_t i = 0;
    while (i < pos) i += CharLengthAt(text, i, codePage);
    return i == pos;
}

size_t FindText(std::string_view text, std::string_view needle, size_t from, int codePage) {
    if (from > text.size()) return std::string_view::npos;
    if (needle.empty()) return from;
    if (!IsDoubleByteCodePage(codePage)) return text.find(needle, from);
    // Walk character starts from the beginning so that a trail byte is never taken for
    // the start of a match; memchr on the first byte skips the non-candidates quickly.
    size_t i = 0;
    const unsigned char first = static_cast<unsigned char>(needle[0]);
    while (i < from) i += CharLengthAt(text, i, codePage);
    while (i + needle.size() <= text.size()) {
        if (static_cast<unsigned char>(text[i]) == first &&
            std::memcmp(text.data() + i, needle.data(), needle.size()) == 0)
            return i;
        i += CharLengthAt(text, i, codePage);
    }
    return std::string_view::npos;
}

size_t FindTextBackward(std::string_view text, std::string_view needle, size_t from, int codePage) {
    size_t found = std::string_view::npos;
    size_t limit = from == std::string_view::npos ? text.size() : from;
    size_t i = 0;
    while (i + needle.size() <= text.size() && i <= limit) {
        if (text.compare(i, needle.size(), needle) == 0) found = i;
        i += IsDoubleByteCodePage(codePage) ? CharLengthAt(text, i, codePage) : 1;
    }
    return found;
}

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

namespace {

template <typename Map>
std::string MapSingleBytes(std::string_view text, int codePage, Map map) {
    std::string out(text);
    for (size_t i = 0; i < out.size();) {
        size_t length = CharLengthAt(out, i, codePage);
        if (length == 1) out[i] = map(out[i]);
        i += length;
    }
    return out;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int CompareTextNoCase(std::string_view a, std::string_view b, int codePage) {
    return CompareText(ToLowerText(a, codePage), ToLowerText(b, codePage));
}

std::string ToLowerText(std::string_view text, int codePage) { return MapSingleBytes(text, codePage, Lower); }
std::string ToUpperText(std::string_view text, int codePage) { return MapSingleBytes(text, codePage, Upper); }

std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to, int codePage) {
    std::string out;
    if (from.empty()) return std::string(text);
    out.reserve(text.size());
    // One walk over the characters: a match may only start where a character starts.
    size_t i = 0;
    while (i < text.size()) {
        if (i + from.size() <= text.size() && text.compare(i, from.size(), from) == 0) {
            out.append(to);
            i += from.size();
            continue;
        }
        size_t length = CharLengthAt(text, i, codePage);
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

CharStarts::CharStarts(std::string_view text, int codePage) : text_(text) {
    if (!IsDoubleByteCodePage(codePage)) return;
    starts_.assign(text.size() + 1, false);
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i, codePage)) starts_[i] = true;
    starts_[text.size()] = true;
}

bool CharStarts::At(size_t pos) const {
    if (pos > text_.size()) return false;
    return starts_.empty() || starts_[pos];
}

size_t CharStarts::FindWhole(std::string_view needle, size_t from, size_t limit) const {
    if (needle.empty()) return std::string_view::npos;
    limit = std::min(limit, text_.size());
    for (size_t pos = text_.find(needle, from); pos != std::string_view::npos && pos + needle.size() <= limit;
         pos = text_.find(needle, pos + 1)) {
        if (At(pos) && At(pos + needle.size())) return pos;
    }
    return std::string_view::npos;
}

bool StartsWithTextNoCase(std::string_view text, std::string_view prefix, int codePage) {
    return text.size() >= prefix.size() && IsCharBoundary(text, prefix.size(), codePage) &&
           CompareTextNoCase(text.substr(0, prefix.size()), prefix, codePage) == 0;
}

bool EndsWithTextNoCase(std::string_view text, std::string_view suffix, int codePage) {
    if (text.size() < suffix.size()) return false;
    const size_t start = text.size() - suffix.size();
    return IsCharBoundary(text, start, codePage) && CompareTextNoCase(text.substr(start), suffix, codePage) == 0;
}

std::string TrimBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace zelvo
