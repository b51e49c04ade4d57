#pragma once
#include <string>
#include <string_view>

// The empty, seeded order database the program carries inside itself.
namespace Template {

std::string_view bytes();
// Writes the template to `path`, creating its folder, unless a file is
// already there: an existing database is never overwritten.
bool writeIfMissing(const std::string& path);

} // namespace Template
