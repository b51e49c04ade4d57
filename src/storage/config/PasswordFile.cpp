#include "storage/config/PasswordFile.h"
#include "storage/config/ConnectionFields.h"
#include "storage/values/SafeFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

// A colon or backslash inside a field is escaped with a backslash; a line
// break cannot be kept and ends the password there, as libpq reads lines.
std::string field(const std::string& value, bool anyWhenEmpty) {
    if (value.empty())
        return anyWhenEmpty ? "*" : "";
    std::string text;
    for (char c : value) {
        if (c == '\n' || c == '\r')
            break;
        if (c == ':' || c == '\\')
            text += '\\';
        text += c;
    }
    return text;
}

// The entry's first four fields, which say whom it is for.
std::string whom(const std::string& line) {
    std::size_t colons = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == ':' && ++colons == 4)
            return line.substr(0, i);
    }
    return {};
}

} // namespace

std::string PasswordFile::path() {
    if (const char* chosen = std::getenv("PGPASSFILE"); chosen && *chosen)
        return chosen;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.pgpass";
}

bool PasswordFile::readableByOthers() {
    struct stat status {};
    return ::stat(path().c_str(), &status) == 0 && (status.st_mode & 077) != 0;
}

std::string PasswordFile::entry(const ConnectionFields& fields) {
    return field(fields.host, true) + ":" + field(fields.port, true) + ":" +
           field(fields.dbname, true) + ":" + field(fields.user, true) + ":" +
           field(fields.password, false);
}

bool PasswordFile::store(const ConnectionFields& fields) {
    const std::string added = entry(fields);
    std::ifstream in(path(), std::ios::binary);
    std::ostringstream kept;
    for (std::string line; std::getline(in, line);)
        if (whom(line) != whom(added))
            kept << line << '\n';
    if (in.bad())
        return false;
    return SafeFile::replacePrivate(path(), kept.str() + added + "\n");
}
