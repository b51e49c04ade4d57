#include "shift/Cashiers.h"

#include "history/ManagerPassword.h"
#include "storage/engine/Database.h"
#include "storage/values/Values.h"

#include <QByteArray>
#include <QRandomGenerator>

using Values::sqlQuote;

namespace {

std::string newSalt() {
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), 4);
    return salt.toHex().toStdString();
}

// Characters of UTF-8 text, as the column counts them.
std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80;
    return count;
}

} // namespace

ReadResult<std::vector<std::string>> Cashiers::names() const {
    const ReadResult<Rows> rows = m_db.read("select 姓名 from 收银员 order by ID");
    if (!rows)
        return rows.readFailure();
    std::vector<std::string> names;
    for (const Rows::Row& row : *rows)
        names.push_back(row["姓名"].toText());
    return names;
}

std::string Cashiers::add(const std::string& typed, const std::string& pin) {
    const std::string name = Values::trim(typed);
    if (name.empty())
        return "请填写收银员的姓名。";
    if (characters(name) > longestName)
        return "收银员姓名最多 " + std::to_string(longestName) + " 个字。";
    const ReadResult<std::vector<std::string>> known = names();
    if (!known)
        return known.message("读取收银员", "没有添加。");
    for (const std::string& existing : *known)
        if (existing == name)
            return "收银员“" + name + "”已经在列表中。";
    const std::string digest = pin.empty() ? "" : ManagerPassword::stored(pin, newSalt(), m_rounds);
    if (!m_db.ExecuteSql("insert into 收银员 (姓名,密码) values (" + sqlQuote(name) + "," +
                         sqlQuote(digest) + ")"))
        return StorageFailures::failed("添加收银员", m_db.lastFailure(), "没有添加。");
    return {};
}

std::string Cashiers::remove(const std::string& name) {
    const ReadResult<DbValue> found =
        m_db.readValue("select count(*) from 收银员 where 姓名=" + sqlQuote(name));
    if (!found)
        return found.message("读取收银员", "没有删除。");
    if (found->toInt() == 0)
        return "列表中没有收银员“" + name + "”。";
    if (!m_db.ExecuteSql("delete from 收银员 where 姓名=" + sqlQuote(name)))
        return StorageFailures::failed("删除收银员", m_db.lastFailure(), "没有删除。");
    return {};
}

ReadResult<bool> Cashiers::accepts(const std::string& name, const std::string& pin) const {
    const ReadResult<Rows> rows =
        m_db.read("select 密码 from 收银员 where 姓名=" + sqlQuote(name));
    if (!rows)
        return rows.readFailure();
    if (rows->empty())
        return false;
    const std::string digest = (*rows)[0]["密码"].toText();
    return digest.empty() || ManagerPassword::storedMatches(digest, pin);
}
