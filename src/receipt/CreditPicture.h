#pragma once
#include <cstddef>
#include <string>

// The picture printed above the closing title of every receipt; the program
// carries it and keeps data/rjxc.png in step with it.
namespace CreditPicture {

const unsigned char* data();
std::size_t size();
// Writes the built-in bytes to `path` when the file's size differs from
// them (a missing file differs). False when that write failed.
bool ensureFile(const std::string& path);

} // namespace CreditPicture
