#pragma once
#include <string>

#include <sys/types.h>

// One copy of the program at a time per user, told apart by the executable's
// file name (without its folder, byte for byte): a copy under another name
// may run, and so may another user's copy on the same machine.
namespace SingleInstance {

// File name of this process's executable.
std::string ownExecutableName();
// Running processes of `user` under `procRoot` whose executable file name is `name`.
int countProcessesNamed(const std::string& name, uid_t user, const std::string& procRoot = "/proc");
// True unless another process of this user runs under this program's executable name.
bool isOnlyInstance();

} // namespace SingleInstance
