#include "orders/LastOrder.h"

#include "orders/DishCache.h"
#include "storage/engine/Database.h"
#include "storage/values/Values.h"

std::string LastOrder::Refill::note() const {
    std::string names;
    for (const std::string& name : leftOut)
        names += (names.empty() ? "" : "、") + name;
    return names.empty() ? std::string() : "上次订单中这些菜品没有加入：" + names + "。";
}

ReadResult<LastOrder::Refill> LastOrder::fill(const std::string& telephone, const DishCache& dishes,
                                              const SoldOut::Marks& soldOut, OrderGrid& grid) {
    const ReadResult<DbValue> last =
        m_db.readValue("select top 1 ID from 存单 where 电话=" + Values::sqlQuote(telephone) +
                       " order by 时间 desc, ID desc");
    if (!last)
        return last.readFailure();
    Refill refill;
    if (last->isEmpty())
        return refill;
    refill.found = true;
    const ReadResult<Rows> lines =
        m_db.read("select 菜名,数量 from 存单详单 where 存单ID=" + std::to_string(last->toInt()) +
                  " order by ID");
    if (!lines)
        return lines.readFailure();
    for (const Rows::Row line : *lines) {
        const std::string name = Values::trim(line["菜名"].toText());
        const int quantity = line["数量"].toInt();
        const auto mark = soldOut.find(name);
        if (!dishes.findByName(name))
            refill.leftOut.push_back(name + "（已不在菜单中）");
        else if (mark != soldOut.end() && mark->second < quantity)
            refill.leftOut.push_back(name +
                                     (mark->second == 0 ? "（今日已估清）" : "（今日剩余不足）"));
        else
            grid.enterDish(name, quantity, dishes);
    }
    return refill;
}
