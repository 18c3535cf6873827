#include "app/command_line.h"

#include <algorithm>
#include <climits>
#include <string>

#include "services/multibyte.h"

namespace zelvo {

namespace {

constexpr const char* kLaunchTag = "[n]";
constexpr const char* kLanguageTag = "[l]";
constexpr const char* kPathTag = "[p]";
constexpr size_t kTagLength = 3;

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

int AtoiText(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool IsDecimalText(const std::string& text) {
    if (text.empty()) return false;
    return std::to_string(AtoiText(text)) == text;
}

int ChooseSourceLanguageIndex(int givenIndex, const std::function<int()>& guessCharset) {
    constexpr int kGbkCharset = 134;
    constexpr int kBig5Charset = 136;
    constexpr int kGbkIndex = 1;
    constexpr int kBig5Index = 3;
    if (givenIndex >= 0) return givenIndex;
    int charset = guessCharset ? guessCharset() : -1;
    if (charset == kBig5Charset) return kBig5Index;
    if (charset == kGbkCharset) return kGbkIndex;
    return -1;
}

std::optional<CommandLineRequest> ParseCommandLine(const std::string& argument, int codePage) {
    std::string text = TrimBlanks(argument);
    if (text.size() <= 4) return std::nullopt;

    // A quote at one end only is a broken argument, not a path with a quote in it.
    bool quoteFirst = text.front() == '"';
    bool quoteLast = text.back() == '"';
    if (quoteFirst != quoteLast) return std::nullopt;
    if (quoteFirst) text = text.substr(1, text.size() - 2);

    text = ToLowerText(text, codePage);

    std::string launch = "0";
    std::string language;
    bool haveLanguage = false;
    CommandLineRequest request;
    if (StartsWith(text, kLaunchTag)) {
        size_t e = FindText(text, kLanguageTag, 0, codePage);
        size_t f = FindText(text, kPathTag, 0, codePage);
        if (f == std::string::npos || f < 4) return std::nullopt;
        if (e != std::string::npos && e > 0 && e < f) {
            language = text.substr(e + kTagLength, f - e - kTagLength);
            haveLanguage = true;
            launch = text.substr(kTagLength, e - kTagLength);
        } else {
            launch = text.substr(kTagLength, f - kTagLength);
        }
        request.path = text.substr(f + kTagLength);
    } else if (StartsWith(text, kLanguageTag)) {
        size_t f = FindText(text, kPathTag, 0, codePage);
        if (f == std::string::npos) return std::nullopt;
        language = text.substr(kTagLength, f - kTagLength);
        haveLanguage = true;
        request.path = text.substr(f + kTagLength);
    } else {
        request.path = text;
    }

    // Only the shell extension writes N, counting up from 0; a negative one would push the
    // cascaded window off the screen, so it counts as the first instance.
    request.launchIndex = std::max(0, AtoiText(launch));
    if (haveLanguage && IsDecimalText(language) && AtoiText(language) >= 0)
        request.languageIndex = AtoiText(language);
    return request;
}

}  // namespace zelvo
