#include "storage/config/DatabaseSettings.h"
#include "storage/config/ConnectionFields.h"
#include "storage/config/IniFile.h"
#include "storage/config/PasswordFile.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

std::string lowerTrimmed(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return {};
    std::string word = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
    std::transform(word.begin(), word.end(), word.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return word;
}

} // namespace

DatabaseSettings DatabaseSettings::load(const IniFile& ini) {
    DatabaseSettings settings;
    settings.typeText = ini.sectionGet(section, "类型", "");
    settings.connection = ini.sectionGet(section, "连接", "");
    const std::string type = lowerTrimmed(settings.typeText);
    if (type == "postgresql")
        settings.engine = Engine::Postgresql;
    else if (!type.empty() && type != "sqlite")
        settings.engine = Engine::Unknown;
    return settings;
}

bool DatabaseSettings::save(const IniFile& ini) const {
    ConnectionFields fields = ConnectionFields::parse(connection);
    if (!password.empty())
        fields.password = password;
    if (!fields.password.empty() && !PasswordFile::store(fields))
        return false;
    const std::string kept = ConnectionFields::withoutPassword(connection);
    return ini.sectionSet(section, {{"类型", onServer() ? "postgresql" : "sqlite"}, {"连接", kept}},
                          onServer() || !kept.empty());
}

std::string DatabaseSettings::unknownEngineMessage() const {
    return "配置文件.ini 的 [数据库] 中，类型 = {" + typeText +
           "} 无法识别，应为 sqlite 或 postgresql。请改正这一行后再启动程序。";
}

bool DatabaseSettings::secure(const IniFile& ini) const {
    struct stat status {};
    const bool readable = ::stat(ini.path().c_str(), &status) == 0 && (status.st_mode & 077) != 0;
    const bool needed =
        !ConnectionFields::parse(connection).password.empty() || (onServer() && readable);
    return !needed || save(ini);
}
