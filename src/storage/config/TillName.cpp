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

// The column keeps 64 characters; a longer name would refuse every order.
std::string TillName::chosen(const IniFile& ini) {
    return Values::trim(ini.iniGet(key, "", false));
}

bool TillName::save(const IniFile& ini, const std::string& name) {
    return ini.iniSet(key, Values::trim(name));
}

std::string TillName::of(const IniFile& ini) {
    std::string chosen = TillName::chosen(ini);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if ((static_cast<unsigned char>(chosen[i]) & 0xC0) != 0x80 && ++characters > length) {
            chosen.resize(i);
            break;
        }
    return chosen.empty() ? hostName() : chosen;
}
