#pragma once
#include <cstddef>
#include <string>

class IniFile;

// The name of this till (setting 收银台 in 配置文件.ini, by default the
// computer's host name), stored with every order and change record so that
// a shop with several tills sees which till took what.
class TillName {
  public:
    static std::string of(const IniFile& ini);
    // What the owner typed, empty when the host name is used.
    static std::string chosen(const IniFile& ini);
    // Empty chooses the host name. False when the file could not be written.
    static bool save(const IniFile& ini, const std::string& name);
    static std::string hostName();
    static constexpr const char* key = "收银台";
    static constexpr std::size_t length = 64; // characters the column keeps
};
