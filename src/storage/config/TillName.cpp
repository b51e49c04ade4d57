#include "storage/config/TillName.h"
#include "storage/config/IniFile.h"
#include "storage/values/Values.h"

#include <unistd.h>

std::string TillName::hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::string TillName::of(const IniFile& ini) {
    const std::string chosen = Values::trim(ini.iniGet(key, "", false));
    return chosen.empty() ? hostName() : chosen;
}
