#include "orders/TableCache.h"

#include "storage/engine/Database.h"

void TableCache::load(Database& db) {
    m_tables.clear();
    const int rs = db.OpenTable("Select * from 桌号");
    while (rs && !db.IsEOF(rs)) {
        m_tables.push_back(
            {db.ReadColByName(rs, "代号").toText(), db.ReadColByName(rs, "桌号名称").toText()});
        db.MoveNext(rs);
    }
    db.CloseTable(rs);
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
