#include "storage/config/SettingsStore.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/schema/FieldLength.h"
#include "storage/values/Values.h"

using Values::sqlQuote;

std::string SettingsStore::get(const std::string& key, const std::string& defaultValue) const {
    int handle = m_db.OpenTable("Select 记录信息 from 记录 where 记录内容=" + sqlQuote(key));
    std::string value = m_db.ReadColByName(handle, "记录信息").toText();
    m_db.CloseTable(handle);
    return value.empty() ? defaultValue : value;
}

ReadResult<bool> SettingsStore::exists(const std::string& key) const {
    const ReadResult<DbValue> found =
        m_db.readValue("Select 记录内容 from 记录 where 记录内容=" + sqlQuote(key));
    if (!found)
        return found.readFailure();
    return found->toText() == key;
}

bool SettingsStore::update(const std::string& key, const std::string& value) {
    return m_db.ExecuteSql("update 记录 set 记录信息 = " + sqlQuote(value) +
                           " where 记录内容 = " + sqlQuote(key));
}

bool SettingsStore::insert(const std::string& key, const std::string& value) {
    return m_db.ExecuteSql("insert into 记录 (记录内容,记录信息) values (" + sqlQuote(key) + "," +
                           sqlQuote(value) + ")");
}

bool SettingsStore::set(const std::string& key, const std::string& value) {
    m_refusal = FieldLength::refusal({{key.c_str(), "记录", "记录信息", &value}});
    if (!m_refusal.empty())
        return false;
    // A key whose row cannot be read is not inserted a second time.
    const ReadResult<DbValue> rows =
        m_db.readValue("Select count(*) from 记录 where 记录内容=" + sqlQuote(key));
    if (!rows)
        return false;
    return rows->toNumber() > 0 ? update(key, value) : insert(key, value);
}

bool SettingsStore::setAll(const std::vector<std::pair<std::string, std::string>>& values) {
    return allOrNothing([&] {
        for (const auto& [key, value] : values)
            if (!set(key, value))
                return false;
        return true;
    });
}

bool SettingsStore::allOrNothing(const std::function<bool()>& writes) {
    DbTransaction transaction(m_db);
    return transaction.started() && writes() && transaction.commit();
}

std::string SettingsStore::failureMessage(const std::string& what) const {
    if (!m_refusal.empty())
        return what + "失败：" + m_refusal + "设置没有改动。";
    return StorageFailures::failed(what, m_db.lastFailure(), "设置没有改动。");
}

bool SettingsStore::seedFirstStart() {
    const ReadResult<bool> seeded = exists("字体大小");
    if (!seeded || *seeded)
        return seeded.ok();
    // A crash between two of these would leave "字体大小" without the others,
    // and later starts, finding it, would never seed them.
    DbTransaction transaction(m_db);
    return transaction.started() && insert("小票类型", "0") && insert("设置类型", "1") &&
           insert("字体大小", "9|9|9|9|9|9|12|9|9|12|12") &&
           insert("勾选加粗", "0|0|0|0|0|0|1|0|0|1|1") && insert("票头", "微信点餐") &&
           insert("店铺名称", "白云快餐") && transaction.commit();
}
