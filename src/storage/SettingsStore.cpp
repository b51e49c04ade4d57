#include "storage/SettingsStore.h"
#include "storage/Database.h"
#include "storage/Values.h"

using Values::sqlEscape;

std::string SettingsStore::get(const std::string& key, const std::string& defaultValue) const {
    int handle =
        m_db.OpenTable("Select 记录信息 from 记录 where 记录内容='" + sqlEscape(key) + "'");
    std::string value = m_db.ReadColByName(handle, "记录信息").toText();
    m_db.CloseTable(handle);
    return value.empty() ? defaultValue : value;
}

bool SettingsStore::exists(const std::string& key) const {
    int handle =
        m_db.OpenTable("Select 记录内容 from 记录 where 记录内容='" + sqlEscape(key) + "'");
    std::string found = m_db.ReadColByName(handle, "记录内容").toText();
    m_db.CloseTable(handle);
    return found == key;
}

bool SettingsStore::update(const std::string& key, const std::string& value) {
    return m_db.ExecuteSql("update 记录 set 记录信息 = '" + sqlEscape(value) +
                           "' where 记录内容 = '" + sqlEscape(key) + "'");
}

bool SettingsStore::insert(const std::string& key, const std::string& value) {
    return m_db.ExecuteSql("insert into 记录 (记录内容,记录信息) values ('" + sqlEscape(key) +
                           "','" + sqlEscape(value) + "')");
}

bool SettingsStore::set(const std::string& key, const std::string& value) {
    return exists(key) ? update(key, value) : insert(key, value);
}

void SettingsStore::seedFirstStart() {
    if (exists("字体大小"))
        return;
    insert("小票类型", "0");
    insert("设置类型", "1");
    insert("字体大小", "9|9|9|9|9|9|12|9|9|12|12");
    insert("勾选加粗", "0|0|0|0|0|0|1|0|0|1|1");
    insert("票头", "微信点餐");
    insert("店铺名称", "白云快餐");
}
