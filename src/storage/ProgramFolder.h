#pragma once
#include <string>

// The folder that holds the executable, its data/ folder and 配置文件.ini.
namespace ProgramFolder {
std::string path();                      // no trailing separator
void setPath(const std::string& folder); // tests run in a folder of their own
std::string databasePath();              // path() + "/data/data.mdb"
std::string iniPath();                   // path() + "/配置文件.ini"
} // namespace ProgramFolder
