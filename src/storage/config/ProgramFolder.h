#pragma once
#include <string>

// The folder that holds data/, 配置文件.ini and every other file the program
// writes. A copy of the program in a folder the user may write to keeps them
// beside the executable; an installed program keeps them in the user's data
// folder, one set per user.
namespace ProgramFolder {
std::string path();                      // no trailing separator
void setPath(const std::string& folder); // tests run in a folder of their own
std::string databasePath();              // path() + "/data/data.mdb"
std::string iniPath();                   // path() + "/配置文件.ini"

// What the choice of path() looks at.
struct Surroundings {
    std::string executableFolder;
    bool executableFolderWritable = false;
    std::string xdgDataHome; // empty when unset
    std::string home;
};
std::string choose(const Surroundings& surroundings);
} // namespace ProgramFolder
