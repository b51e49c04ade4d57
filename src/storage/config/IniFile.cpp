#include "storage/config/IniFile.h"
#include "storage/values/SafeFile.h"
#include "storage/values/TextCodec.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

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

// Files written by the older program are GBK; everything is handled as UTF-8.
std::optional<std::string> readText(const std::string& path) {
    std::optional<std::string> text = readWhole(path);
    if (text && !TextCodec::isValidUtf8(*text))
        text = TextCodec::gbkToUtf8(*text);
    return text;
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

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && findIgnoringCase(std::string(a), std::string(b)) == 0;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

// One line of the file: where it starts, and its end before the line break.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next; // after the line break
};

std::vector<Line> linesOf(const std::string& text) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find('\n', begin);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        end = end == std::string::npos ? text.size() : end;
        lines.push_back({begin, end > begin && text[end - 1] == '\r' ? end - 1 : end, next});
        begin = next;
    }
    return lines;
}

std::string_view lineText(const std::string& text, const Line& line) {
    return std::string_view(text).substr(line.begin, line.end - line.begin);
}

bool isSectionHeader(std::string_view line) {
    line = trimmed(line);
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

// The lines after the section's header up to the next section: [first, last).
std::optional<std::pair<std::size_t, std::size_t>>
sectionLines(const std::string& text, const std::vector<Line>& lines, const std::string& section) {
    const std::string header = "[" + section + "]";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!equalIgnoringCase(trimmed(lineText(text, lines[i])), header))
            continue;
        std::size_t last = i + 1;
        while (last < lines.size() && !isSectionHeader(lineText(text, lines[last])))
            ++last;
        return std::pair(i + 1, last);
    }
    return std::nullopt;
}

// The value when the line is an entry for `key`.
std::optional<std::string> entryValue(std::string_view line, const std::string& key) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos ||
        !equalIgnoringCase(trimmed(line.substr(0, equals)), key))
        return std::nullopt;
    std::string_view value = trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '{' && value.back() == '}')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::optional<std::size_t> entryLine(const std::string& text, const std::vector<Line>& lines,
                                     std::pair<std::size_t, std::size_t> range,
                                     const std::string& key) {
    for (std::size_t i = range.first; i < range.second; ++i)
        if (entryValue(lineText(text, lines[i]), key))
            return i;
    return std::nullopt;
}

// A value never spans lines: a line break would end the entry early.
std::string entryText(const std::string& key, std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    return key + " = {" + value + "}";
}

void setEntry(std::string& text, const std::string& section, const std::string& key,
              const std::string& value) {
    const std::vector<Line> lines = linesOf(text);
    const auto range = sectionLines(text, lines, section);
    if (!range) {
        if (!text.empty() && text.back() != '\n')
            text += "\r\n";
        text += "[" + section + "]\r\n" + entryText(key, value) + "\r\n";
        return;
    }
    if (const auto at = entryLine(text, lines, *range, key)) {
        const Line& line = lines[*at];
        text.replace(line.begin, line.end - line.begin, entryText(key, value));
        return;
    }
    const Line& header = lines[range->first - 1];
    std::size_t end = range->second > range->first ? lines[range->second - 1].next : header.next;
    std::string added = entryText(key, value) + "\r\n";
    if (end == text.size() && !text.empty() && text.back() != '\n')
        added = "\r\n" + added;
    text.insert(end, added);
}

// Where the value of the entry iniGet reads starts and ends: at its brace,
// or at the end of its line when the brace is missing.
std::optional<std::pair<std::size_t, std::size_t>> flatValue(const std::string& text,
                                                             const std::string& key) {
    const std::string marker = key + " = {";
    const std::size_t found = findIgnoringCase(text, marker);
    if (found == std::string::npos)
        return std::nullopt;
    const std::size_t begin = found + marker.size();
    return std::pair{begin, std::min(text.find_first_of("}\r\n", begin), text.size())};
}

void appendFlatEntry(std::string& text, const std::string& key, const std::string& value) {
    if (!text.empty() && text.back() != '\n')
        text += "\r\n";
    text += entryText(key, value) + "\r\n";
}

} // namespace

bool IniFile::iniSet(const std::string& key, const std::string& value) const {
    std::optional<std::string> text = readText(m_path);
    if (!text)
        return false;
    if (const auto at = flatValue(*text, key)) {
        const auto [begin, end] = *at;
        const bool braced = end < text->size() && (*text)[end] == '}';
        text->replace(begin, end - begin, braced ? value : value + "}");
    } else {
        appendFlatEntry(*text, key, value);
    }
    return SafeFile::replace(m_path, *text);
}

std::string IniFile::sectionGet(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const std::optional<std::string> text = readText(m_path);
    if (!text)
        return defaultValue;
    const std::vector<Line> lines = linesOf(*text);
    const auto range = sectionLines(*text, lines, section);
    if (!range)
        return defaultValue;
    const auto at = entryLine(*text, lines, *range, key);
    return at ? *entryValue(lineText(*text, lines[*at]), key) : defaultValue;
}

bool IniFile::sectionSet(const std::string& section,
                         const std::vector<std::pair<std::string, std::string>>& entries,
                         bool ownerOnly) const {
    std::optional<std::string> text = readText(m_path);
    if (!text)
        return false;
    for (const auto& [key, value] : entries)
        setEntry(*text, section, key, value);
    return ownerOnly ? SafeFile::replacePrivate(m_path, *text) : SafeFile::replace(m_path, *text);
}

std::string IniFile::iniGet(const std::string& key, const std::string& defaultValue,
                            bool writeMissing) const {
    std::optional<std::string> read = readText(m_path);
    // A file that exists but cannot be read is never overwritten: its other
    // entries would be lost.
    if (!read)
        return defaultValue;
    std::string text = std::move(*read);
    if (const auto at = flatValue(text, key))
        return text.substr(at->first, at->second - at->first);
    if (!writeMissing)
        return defaultValue;
    appendFlatEntry(text, key, defaultValue);
    SafeFile::replace(m_path, text);
    return defaultValue;
}
