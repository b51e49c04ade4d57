#pragma once
#include <string>

// The file 配置文件.ini: entries written as key + " = {" + value + "}" + CR LF,
// found by a case-insensitive search rather than by lines.
class IniFile {
  public:
    explicit IniFile(std::string path) : m_path(std::move(path)) {}

    std::string iniGet(const std::string& key, const std::string& defaultValue,
                       bool writeMissing) const;
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};
