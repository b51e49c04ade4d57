#pragma once
#include <string>
#include <string_view>

// Small files that must never be left half written.
namespace SafeFile {

// Writes `bytes` beside `path`, flushes them to the disk and renames them
// over `path`, so that a crash or power cut leaves the old file or the new
// one, never a truncated one. False (and the old file untouched) on failure.
// The file keeps the permissions it had; a new one gets the usual ones.
bool replace(const std::string& path, std::string_view bytes);
// The same for a file that holds what other users of the computer must not
// read: it is created for its owner only, and an existing file loses the
// rights of others.
bool replacePrivate(const std::string& path, std::string_view bytes);

} // namespace SafeFile
