#include "storage/IniFile.h"
#include "storage/SafeFile.h"
#include "storage/TextCodec.h"
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

// The file's text; a missing file is empty, a file that cannot be read is nothing.
std::optional<std::string> readWhole(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::file_type type = fs::status(path, error).type();
    if (type == fs::file_type::not_found)
        return std::string();
    if (type != fs::file_type::regular)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf(); // an empty file inserts nothing, which is no error here
    return text.str();
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case folding touches ASCII letters only, so multi-byte UTF-8 text stays intact.
std::size_t findIgnoringCase(const std::string& text, const std::string& word) {
    if (word.size() > text.size())
        return std::string::npos;
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        std::size_t j = 0;
        while (j < word.size() && lowerAscii(text[i + j]) == lowerAscii(word[j]))
            ++j;
        if (j == word.size())
            return i;
    }
    return std::string::npos;
}

} // namespace

std::string IniFile::iniGet(const std::string& key, const std::string& defaultValue,
                            bool writeMissing) const {
    std::optional<std::string> read = readWhole(m_path);
    // A file that exists but cannot be read is never overwritten: its other
    // entries would be lost.
    if (!read)
        return defaultValue;
    std::string text = std::move(*read);
    // Files written by the older program are GBK; everything is handled as UTF-8.
    if (!TextCodec::isValidUtf8(text))
        text = TextCodec::gbkToUtf8(text);
    std::string marker = key + " = {";
    std::size_t found = findIgnoringCase(text, marker);
    if (found != std::string::npos) {
        std::size_t begin = found + marker.size();
        std::size_t end = text.find('}', begin);
        return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    }
    if (!writeMissing)
        return defaultValue;
    text += marker + defaultValue + "}\r\n";
    SafeFile::replace(m_path, text);
    return defaultValue;
}
