#include "history/ChangeLog.h"

#include "storage/values/Clock.h"
#include "storage/engine/Database.h"
#include "storage/values/Values.h"

#include <iterator>

using Values::sqlQuote;

namespace {

// What the log stores for each kind, in the order of the enumeration.
constexpr const char* kindNames[] = {"删除订单", "修改订单",   "打单未结算",   "重打小票",
                                     "打开钱箱", "小票未打印", "恢复数据",     "生成演示数据",
                                     "删除演示数据", "厨房单", "补打厨房单", "厨房单未打印"};
static_assert(std::size(kindNames) == std::size_t(ChangeLog::Kind::KitchenNotPrinted) + 1);

} // namespace

const char* ChangeLog::kindName(Kind kind) {
    return kindNames[std::size_t(kind)];
}

const std::vector<ChangeLog::Kind>& ChangeLog::kinds() {
    static const std::vector<Kind> all{Kind::Deletion,   Kind::Edit,         Kind::PrintOnly,
                                       Kind::Reprint,    Kind::DrawerOpened, Kind::NotPrinted,
                                       Kind::Restore,    Kind::DemoData,     Kind::DemoRemoval,
                                       Kind::KitchenTicket, Kind::KitchenReprint,
                                       Kind::KitchenNotPrinted};
    return all;
}

std::string ChangeLog::insertStatement(const Entry& e) const {
    std::string columns = "时间,操作,收银台,收银员";
    std::string values = sqlQuote(m_db.clock().now().canonical()) + "," +
                         sqlQuote(kindName(e.kind)) + "," + sqlQuote(m_db.tillName()) + "," +
                         sqlQuote(m_db.cashierName());
    // Numbers stand bare, so only their value may get there; an order never
    // stored has no ID, and a number box left empty no number.
    const std::pair<const char*, const std::string*> keys[] = {{"存单ID", &e.orderId},
                                                               {"编号", &e.number}};
    for (const auto& [column, text] : keys)
        if (!Values::trim(*text).empty()) {
            columns += std::string(",") + column;
            values += "," + std::to_string(Values::textToInt(Values::trim(*text)));
        }
    return "insert into 操作记录 (" + columns + ",原内容,新内容) values (" + values + "," +
           sqlQuote(e.before) + "," + sqlQuote(e.after) + ")";
}

bool ChangeLog::write(const Entry& entry) {
    return m_db.ExecuteSql(insertStatement(entry));
}

std::optional<ChangeLog::Record> ChangeLog::read(const std::string& idText) const {
    const int handle = m_db.OpenTable("Select * from 操作记录 where ID =" +
                                      std::to_string(Values::textToInt(idText)));
    std::optional<Record> record;
    if (handle != 0 && !m_db.IsEOF(handle)) {
        auto text = [&](const char* column) { return m_db.ReadColByName(handle, column).toText(); };
        record = Record{text("ID"),   text("时间"),   text("操作"),  text("存单ID"),
                        text("编号"), text("原内容"), text("新内容")};
    }
    m_db.CloseTable(handle);
    return record;
}
