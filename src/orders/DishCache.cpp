#include "orders/DishCache.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

ReadResult<std::size_t> DishCache::load(Database& db) {
    const ReadResult<Rows> rows = db.read("Select * from 菜单");
    if (!rows)
        return rows.readFailure();
    m_dishes.clear();
    for (const Rows::Row row : *rows)
        m_dishes.push_back({row["菜名"].toText(), Values::numberToText(row["价格"].toNumber()),
                            row["代码"].toText(), row["字母"].toText(), row["单位"].toText()});
    return m_dishes.size();
}

std::vector<int> DishCache::search(const std::string& text) const {
    std::vector<int> found;
    const std::string wanted = Values::trim(text);
    if (wanted.empty())
        return found;
    for (int i = 0; i < static_cast<int>(m_dishes.size()); ++i) {
        const Dish& dish = m_dishes[i];
        if (dish.code.find(wanted) != std::string::npos)
            found.push_back(i);
        if (dish.letters.find(wanted) != std::string::npos)
            found.push_back(i);
    }
    return found;
}

const Dish* DishCache::findByName(const std::string& name) const {
    for (const Dish& dish : m_dishes)
        if (dish.name == name)
            return &dish;
    return nullptr;
}
