#pragma once
#include <string>
#include <string_view>

// Small files that must never be left half written, and renames that a
// power cut cannot undo.
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

// Flushes `from` to the disk, renames it to `to` (replacing a file there) and
// flushes the folders of both: a rename reaches the disk only with its
// folder, and until then a power cut can bring the old file back. False when
// `from` cannot be flushed or renamed; then nothing was renamed.
bool rename(const std::string& from, const std::string& to);

// Flushes a file that is already written to the disk; false when it cannot.
bool flush(const std::string& path);

} // namespace SafeFile
