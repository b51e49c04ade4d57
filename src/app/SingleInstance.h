#pragma once
#include <string>

// One copy of the program at a time, told apart by the executable's file name
// (without its folder, byte for byte): a copy under another name may run.
namespace SingleInstance {

// File name of this process's executable.
std::string ownExecutableName();
// Running processes under `procRoot` whose executable file name is `name`.
int countProcessesNamed(const std::string& name, const std::string& procRoot = "/proc");
// True unless another process runs under this program's executable name.
bool isOnlyInstance();

} // namespace SingleInstance
