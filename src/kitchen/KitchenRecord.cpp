#include "kitchen/KitchenRecord.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

#include <map>

using Values::sqlQuote;

ReadResult<std::vector<KitchenLine>> KitchenRecord::sent(long long orderId) const {
    const ReadResult<Rows> read = m_db.read(
        "select * from 厨房已送 where 存单ID = " + std::to_string(orderId) + " order by ID");
    if (!read)
        return read.readFailure();
    std::vector<KitchenLine> lines;
    for (const Rows::Row& row : *read)
        lines.push_back({row["出品部门"].toText(), row["菜名"].toText(), row["数量"].toInt(),
                         row["单位"].toText()});
    return lines;
}

bool KitchenRecord::replaceSent(long long orderId, const std::vector<KitchenLine>& lines) {
    const std::string id = std::to_string(orderId);
    if (!m_db.ExecuteSql("Delete * from 厨房已送 where 存单ID = " + id))
        return false;
    for (const KitchenLine& line : lines)
        if (!m_db.ExecuteSql("insert into 厨房已送 (存单ID,出品部门,菜名,数量,单位) values (" + id +
                             "," + sqlQuote(line.station) + "," + sqlQuote(line.dish) + "," +
                             std::to_string(line.quantity) + "," + sqlQuote(line.unit) + ")"))
            return false;
    return true;
}

ReadResult<KitchenOrder> KitchenRecord::order(long long orderId) const {
    const std::string id = std::to_string(orderId);
    const ReadResult<Rows> head = m_db.read("select * from 存单 where ID = " + id);
    if (!head)
        return head.readFailure();
    const ReadResult<Rows> lines =
        m_db.read("select * from 存单详单 where 存单ID = " + id + " order by ID");
    if (!lines)
        return lines.readFailure();
    KitchenOrder order;
    for (const Rows::Row& row : *head)
        order = {orderId, row["编号"].toText(), row["桌号"].toText(), row["备注"].toText(), {}};
    if (order.id == 0)
        return ReadFailure{StorageFailure::Statement, "订单已不存在"};
    for (const Rows::Row& row : *lines)
        order.lines.push_back(
            {{}, row["菜名"].toText(), row["数量"].toInt(), row["单位"].toText()});
    return order;
}

ReadResult<std::vector<KitchenLine>>
KitchenRecord::atStations(const std::vector<KitchenLine>& lines) const {
    const ReadResult<Rows> read =
        m_db.read("select 菜名, 出品部门 from 菜单 where 出品部门 <> '' order by ID");
    if (!read)
        return read.readFailure();
    std::map<std::string, std::string> stationOf;
    for (const Rows::Row& row : *read)
        stationOf.emplace(row["菜名"].toText(), row["出品部门"].toText());
    std::vector<KitchenLine> atStations;
    for (KitchenLine line : lines)
        if (const auto found = stationOf.find(line.dish); found != stationOf.end()) {
            line.station = found->second;
            atStations.push_back(std::move(line));
        }
    return atStations;
}
