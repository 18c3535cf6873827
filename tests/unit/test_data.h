// Test data kept in tests/data: tab-separated lines, '#' starting a comment line. Texts are
// UTF-8 and are put into the encoding a line names with the C library's iconv, so expected
// bytes never come from the program's own code tables.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelvo::testing_support {

// One line of a data file: its number (for messages) and its fields.
struct DataLine {
    int number = 0;
    std::vector<std::string> fields;
};

// The lines of tests/data/<name> that are neither empty nor comments, split at tabs. A
// missing file or a line with another number of fields throws, which fails the test (or
// stops the test program when a shared sample is read before the tests run).
inline std::vector<DataLine> ReadDataFile(const std::string& name, size_t fieldCount) {
    const std::string path = std::string(ZELVO_SOURCE_DIR "/tests/data/") + name;
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<DataLine> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (text.empty() || text[0] == '#') continue;
        DataLine line{number, {}};
        std::stringstream split(text);
        for (std::string field; std::getline(split, field, '\t');) line.fields.push_back(field);
        if (line.fields.size() != fieldCount)
            throw std::runtime_error(name + ":" + std::to_string(number) + ": " + std::to_string(fieldCount) +
                                     " tab-separated fields expected");
        lines.push_back(std::move(line));
    }
    return lines;
}

// The iconv name of an encoding as data files name it: "gbk" GBK, "big5" CP950 (Big5 as
// Windows code page 950 has it).
inline const char* IconvName(const std::string& encoding) {
    if (encoding == "gbk") return "GBK";
    if (encoding == "big5") return "CP950";
    throw std::runtime_error("unknown encoding '" + encoding + "' in test data");
}

// utf8 in the encoding a data file names; throws when a character has no code there.
inline std::string EncodeUtf8(const std::string& utf8, const std::string& encoding) {
    iconv_t converter = iconv_open(IconvName(encoding), "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv knows no " + encoding);
    std::string out(utf8.size() * 2 + 4, '\0');
    char* from = const_cast<char*>(utf8.data());
    size_t fromLeft = utf8.size();
    char* to = out.data();
    size_t toLeft = out.size();
    const size_t result = iconv(converter, &from, &fromLeft, &to, &toLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1))
        throw std::runtime_error("cannot write '" + utf8 + "' in " + encoding + " (errno " +
                                 std::to_string(errno) + ")");
    out.resize(out.size() - toLeft);
    return out;
}

// Sample sentence `name` of tests/data/sample_sentences.txt, in the encoding its line names.
inline std::string SampleSentence(const std::string& name, const std::string& encoding) {
    for (const DataLine& line : ReadDataFile("sample_sentences.txt", 3)) {
        if (line.fields[0] == name && line.fields[1] == encoding) return EncodeUtf8(line.fields[2], encoding);
    }
    throw std::runtime_error("no sample sentence '" + name + "' in " + encoding);
}

}  // namespace zelvo::testing_support
