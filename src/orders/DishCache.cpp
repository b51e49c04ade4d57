#include "orders/DishCache.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

void DishCache::load(Database& db) {
    m_dishes.clear();
    const int rs = db.OpenTable("Select * from 菜单");
    while (rs && !db.IsEOF(rs)) {
        m_dishes.push_back({db.ReadColByName(rs, "菜名").toText(),
                            Values::numberToText(db.ReadColByName(rs, "价格").toNumber()),
                            db.ReadColByName(rs, "代码").toText(),
                            db.ReadColByName(rs, "字母").toText(),
                            db.ReadColByName(rs, "单位").toText()});
        db.MoveNext(rs);
    }
    db.CloseTable(rs);
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
