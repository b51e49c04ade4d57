#pragma once
#include <string>
#include <utility>
#include <vector>

// The file 配置文件.ini: entries written as key + " = {" + value + "}" + CR LF,
// found by a case-insensitive search rather than by lines.
class IniFile {
  public:
    explicit IniFile(std::string path) : m_path(std::move(path)) {}

    std::string iniGet(const std::string& key, const std::string& defaultValue,
                       bool writeMissing) const;
    const std::string& path() const { return m_path; }
    // Replaces the value of the entry iniGet reads, or adds the entry. A value
    // never holds "}" or a line break. False when the file could not be
    // read or written; it is then unchanged.
    bool iniSet(const std::string& key, const std::string& value) const;

    // A section "[name]" holds one entry a line, up to the next section. Its
    // entries are written as key = {value}; a line key = value written by hand
    // reads as well. The key is matched ignoring case.
    std::string sectionGet(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Replaces the lines of these keys in the section, or adds them; the rest
    // of the file stays as it was, its permissions too, except that a file
    // written `ownerOnly` is made readable by its owner alone. False when
    // the file could not be read or written; it is then unchanged.
    bool sectionSet(const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& entries,
                    bool ownerOnly = false) const;

  private:
    std::string m_path;
};
