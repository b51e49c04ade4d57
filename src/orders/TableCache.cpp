#include "orders/TableCache.h"

#include "storage/engine/Database.h"

ReadResult<std::size_t> TableCache::load(Database& db) {
    const ReadResult<Rows> rows = db.read("Select * from 桌号");
    if (!rows)
        return rows.readFailure();
    m_tables.clear();
    for (const Rows::Row row : *rows)
        m_tables.push_back({row["代号"].toText(), row["桌号名称"].toText()});
    return m_tables.size();
}

TableCache::Choice TableCache::chooseByCode(const std::string& code) const {
    Choice choice;
    for (const Table& table : m_tables) {
        choice.names.push_back(table.name);
        if (table.code == code) {
            choice.selected = static_cast<int>(choice.names.size()) - 1;
            break;
        }
    }
    return choice;
}
