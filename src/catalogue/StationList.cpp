#include "catalogue/StationList.h"

#include "printer/PrinterConnection.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/schema/FieldLength.h"
#include "storage/values/Values.h"

using Values::sqlQuote;

namespace {

std::string stationValues(const Station& s) {
    return sqlQuote(s.name) + "," + sqlQuote(s.connection) + "," + sqlQuote(s.mode) + "," +
           std::to_string(s.copies) + "," + std::to_string(s.paperWidth);
}

std::string fieldRefusal(const Station& s, const std::string& typedConnection) {
    if (s.name.empty())
        return "出品部门名称不能为空，请输入名称后重试。";
    if (std::string refused = StorageFailures::textRefusal({{"名称", &s.name}}); !refused.empty())
        return refused;
    if (typedConnection.empty())
        return "请填写打印机连接：tcp:地址:端口、dev:设备路径 或 cups:打印队列。";
    if (!PrinterConnection::parse(typedConnection))
        return "打印机连接“" + typedConnection +
               "”无法识别，请填写 tcp:地址:端口、dev:设备路径 或 cups:打印队列。";
    if (s.mode != Station::textMode && s.mode != Station::pictureMode)
        return "打印模式只能是“文字”或“图像”。";
    if (s.copies < 1 || s.copies > StationList::maximumCopies)
        return "份数必须是 1 到 " + std::to_string(StationList::maximumCopies) + " 之间的整数。";
    if (s.paperWidth != 58 && s.paperWidth != 80)
        return "纸宽只能是 58 或 80 毫米。";
    return FieldLength::refusal({{"名称", "出品部门", "名称", &s.name},
                                 {"打印机连接", "出品部门", "打印机连接", &s.connection}});
}

} // namespace

StationList::Input StationList::fromFields(const std::string& name, const std::string& connection,
                                           const std::string& mode, const std::string& copies,
                                           const std::string& paperWidth) {
    Input input;
    Station& s = input.station;
    s.name = Values::trim(name);
    const std::string typed = Values::trim(connection);
    const auto parsed = PrinterConnection::parse(typed);
    s.connection = parsed ? parsed->text() : typed;
    s.mode = Values::trim(mode);
    const std::string count = Values::trim(copies);
    s.copies = count.find_first_not_of("0123456789") == std::string::npos && count.size() <= 2
                   ? Values::textToInt(count)
                   : 0;
    s.paperWidth = Values::textToInt(Values::trim(paperWidth));
    input.refusal = fieldRefusal(s, typed);
    return input;
}

ListRow StationList::toRow(const Station& s) {
    return {
        "", s.name, s.connection, s.mode, std::to_string(s.copies), std::to_string(s.paperWidth)};
}

Station StationList::fromRow(const ListRow& row) {
    Station s;
    if (row.size() <= PaperWidth)
        return s;
    return {row[Name], row[Connection], row[Mode], Values::textToInt(row[Copies]),
            Values::textToInt(row[PaperWidth])};
}

ReadResult<std::vector<Station>> StationList::stations() const {
    const ReadResult<Rows> read = m_db.read("select * from 出品部门 order by ID");
    if (!read)
        return read.readFailure();
    std::vector<Station> all;
    for (const Rows::Row& row : *read)
        all.push_back({row["名称"].toText(), row["打印机连接"].toText(),
                       row["热敏打印模式"].toText(), row["份数"].toInt(), row["纸宽"].toInt()});
    return all;
}

ReadResult<ListRows> StationList::load() const {
    const ReadResult<std::vector<Station>> all = stations();
    if (!all)
        return all.readFailure();
    ListRows rows;
    for (const Station& s : *all)
        rows.push_back(toRow(s));
    return rows;
}

std::string StationList::refusal(const Station& s) const {
    // Every till of a server prints to the stations stored there: a device
    // or a print queue of one till is out of reach of the others.
    const auto connection = PrinterConnection::parse(s.connection);
    if (m_db.isServer() && connection && connection->kind != PrinterConnection::Kind::Tcp)
        return "数据在服务器上，每台收银机都要用这个出品部门的打印机，而“" + s.connection +
               "”只有本机能用。请填写网络打印机，如 tcp:192.168.1.50:9100。";
    return {};
}

ListOutcome StationList::add(const Station& s, const ListRows& shown) {
    if (std::string refused = refusal(s); !refused.empty())
        return ListOutcome::refused(std::move(refused));
    if (const int row = findRow(shown, s.name, Name); row >= 0)
        return ListOutcome::refused("出品部门已经存在，不能重复添加。", row);
    if (!m_db.ExecuteSql("insert into 出品部门 (名称,打印机连接,热敏打印模式,份数,纸宽) values (" +
                         stationValues(s) + ")"))
        return ListOutcome::failed(m_db);
    return ListOutcome::done("保存完成。", static_cast<int>(shown.size()));
}

ListOutcome StationList::modify(const std::string& oldName, const Station& s,
                                const ListRows& shown) {
    if (std::string refused = refusal(s); !refused.empty())
        return ListOutcome::refused(std::move(refused));
    const int row = findRow(shown, oldName, Name);
    const int named = findRow(shown, s.name, Name);
    if (row < 0)
        return ListOutcome::refused("请选择要修改的出品部门。");
    if (named >= 0 && named != row)
        return ListOutcome::refused("出品部门已经存在，不能重复定义。", named);
    DbTransaction transaction(m_db);
    const std::string where = " where 出品部门 = " + sqlQuote(oldName);
    if (!transaction.started() ||
        !m_db.ExecuteSql("update 出品部门 set 名称 = " + sqlQuote(s.name) + ", 打印机连接 = " +
                         sqlQuote(s.connection) + ", 热敏打印模式 = " + sqlQuote(s.mode) +
                         ", 份数 = " + std::to_string(s.copies) + ", 纸宽 = " +
                         std::to_string(s.paperWidth) + " where 名称 = " + sqlQuote(oldName)) ||
        !m_db.ExecuteSql("update 菜单 set 出品部门 = " + sqlQuote(s.name) + where) ||
        !transaction.commit())
        return ListOutcome::failed(m_db);
    return ListOutcome::done("修改完成。", row);
}

ReadResult<long long> StationList::dishCount(const std::string& name) const {
    const ReadResult<Rows> read =
        m_db.read("select count(*) as 数量 from 菜单 where 出品部门 = " + sqlQuote(name));
    if (!read)
        return read.readFailure();
    long long count = 0;
    for (const Rows::Row& row : *read)
        count = row["数量"].toInt();
    return count;
}

bool StationList::remove(const std::string& name) {
    DbTransaction transaction(m_db);
    return transaction.started() &&
           m_db.ExecuteSql("update 菜单 set 出品部门 = '' where 出品部门 = " + sqlQuote(name)) &&
           m_db.ExecuteSql("Delete * from 出品部门 where 名称 = " + sqlQuote(name)) &&
           transaction.commit();
}

std::string StationList::deleteQuestion(const std::string& name, long long dishes) {
    if (dishes == 0)
        return "是否删除出品部门：" + name + " ?";
    if (dishes < 0)
        return "出品部门“" + name + "”有哪些菜品读不出来；删除后它的菜品不再打印厨房单。是否删除?";
    return "出品部门“" + name + "”还有 " + std::to_string(dishes) +
           " 个菜品，删除后这些菜品不再打印厨房单。是否删除?";
}
