#include "storage/copies/BackupFolder.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

const std::string prefix = "data-";
const std::string suffix = ".mdb";
const std::string unfinished = ".mdb.part";

std::string stamp(const DateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

bool digits(const std::string& text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// "data-20261208-093000.mdb" -> its time; false for any other name.
bool timeOfName(const std::string& name, DateTime& t) {
    if (name.size() != prefix.size() + 15 + suffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(suffix) || name[prefix.size() + 8] != '-')
        return false;
    const std::size_t p = prefix.size();
    return digits(name, p, 4, t.year) && digits(name, p + 4, 2, t.month) &&
           digits(name, p + 6, 2, t.day) && digits(name, p + 9, 2, t.hour) &&
           digits(name, p + 11, 2, t.minute) && digits(name, p + 13, 2, t.second) && t.valid();
}

int dayKey(const DateTime& t) {
    return t.year * 10000 + t.month * 100 + t.day;
}

int monthIndex(const DateTime& t) {
    return t.year * 12 + t.month - 1;
}

} // namespace

BackupFolder BackupFolder::beside(const std::string& databasePath) {
    return BackupFolder((fs::path(databasePath).parent_path() / "备份").string());
}

bool BackupFolder::create() const {
    std::error_code error;
    fs::create_directories(m_folder, error);
    return fs::is_directory(m_folder, error);
}

std::vector<BackupFolder::Copy> BackupFolder::copies() const {
    std::vector<Copy> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, error)) {
        Copy copy;
        if (!entry.is_regular_file(error) ||
            !timeOfName(entry.path().filename().string(), copy.time))
            continue;
        copy.path = entry.path().string();
        copy.size = entry.file_size(error);
        found.push_back(copy);
    }
    std::sort(found.begin(), found.end(),
              [](const Copy& a, const Copy& b) { return a.time > b.time; });
    return found;
}

std::string BackupFolder::fileName(const DateTime& time) {
    return prefix + stamp(time) + suffix;
}

std::string BackupFolder::pathFor(const DateTime& time) const {
    return m_folder + "/" + fileName(time);
}

std::string BackupFolder::replacedPath(const DateTime& time) const {
    return m_folder + "/恢复前-" + stamp(time) + suffix;
}

std::string BackupFolder::beforeDemoPath(const DateTime& time) const {
    return m_folder + "/演示数据前/" + stamp(time) + suffix;
}

bool BackupFolder::hasCopyOf(const DateTime& day) const {
    for (const Copy& copy : copies())
        if (dayKey(copy.time) == dayKey(day))
            return true;
    return false;
}

std::vector<BackupFolder::Copy> BackupFolder::kept(const std::vector<Copy>& copies,
                                                   const DateTime& now) {
    std::set<int> days, months;
    std::vector<Copy> keep;
    for (const Copy& copy : copies) {
        const bool newestOfDay = days.size() < keptDays && days.insert(dayKey(copy.time)).second;
        const bool newestOfMonth = monthIndex(now) - monthIndex(copy.time) < keptMonths &&
                                   months.insert(monthIndex(copy.time)).second;
        if (newestOfDay || newestOfMonth)
            keep.push_back(copy);
    }
    return keep;
}

void BackupFolder::rotate(const DateTime& now) const {
    const std::vector<Copy> all = copies();
    const std::vector<Copy> keep = kept(all, now);
    std::error_code error;
    for (const Copy& copy : all)
        if (std::none_of(keep.begin(), keep.end(),
                         [&](const Copy& k) { return k.path == copy.path; }))
            fs::remove(copy.path, error);
    removeUnfinished();
}

void BackupFolder::removeUnfinished() const {
    std::error_code error;
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(unfinished) || name.ends_with(unfinished + "-journal"))
            found.push_back(entry.path());
    }
    for (const fs::path& path : found)
        fs::remove(path, error);
}
