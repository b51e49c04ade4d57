#pragma once
#include <string>

class IniFile;

// The name of this till (setting 收银台 in 配置文件.ini, by default the
// computer's host name), stored with every order and change record so that
// a shop with several tills sees which till took what.
class TillName {
  public:
    static std::string of(const IniFile& ini);
    static std::string hostName();
    static constexpr const char* key = "收银台";
};
