#include "kitchen/KitchenDispatch.h"

#include "catalogue/StationList.h"
#include "history/ChangeLog.h"
#include "kitchen/KitchenRecord.h"
#include "printer/EscPosJob.h"
#include "printer/PrintSpooler.h"
#include "printer/PrinterConnection.h"
#include "receipt/PrinterSettings.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Clock.h"

#include <algorithm>

namespace {

ChangeLog::Kind kindOf(const KitchenTicket& ticket) {
    return ticket.kind == KitchenTicket::Kind::Reprint ? ChangeLog::Kind::KitchenReprint
                                                       : ChangeLog::Kind::KitchenTicket;
}

std::string idText(long long id) {
    return id == 0 ? std::string() : std::to_string(id);
}

std::string notSent(const std::string& what, const std::string& why, long long orderId) {
    return "厨房单没有送出：" + what + "：" + why + "。" +
           (orderId == 0 ? "请再按F11打印。" : "请稍后在“历史订单”中按“补打厨房单”。");
}

} // namespace

std::string KitchenDispatch::now() const {
    // To the minute, as the kitchen reads it.
    return m_db.clock().now().canonical().substr(0, 16);
}

KitchenDispatch::Outcome KitchenDispatch::sendStored(long long orderId,
                                                     const std::vector<KitchenLine>& before) {
    const KitchenRecord record(m_db);
    const ReadResult<KitchenOrder> order = record.order(orderId);
    if (!order)
        return {{}, notSent("读取订单失败", order.error(), orderId)};
    const auto due = record.atStations(order->lines);
    const auto recorded = record.sent(orderId);
    if (!due || !recorded)
        return {{}, notSent("读取菜品的出品部门失败", (due ? recorded : due).error(), orderId)};
    const std::vector<KitchenLine>& sent = recorded->empty() ? before : *recorded;
    const auto tickets = KitchenTicket::between(*order, sent, *due, now());
    if (tickets.empty() && *recorded == *due)
        return {};
    return dispatch(*order, tickets, *due);
}

KitchenDispatch::Outcome KitchenDispatch::sendUnstored(const KitchenOrder& order,
                                                       std::vector<KitchenLine>& sent) {
    const auto due = KitchenRecord(m_db).atStations(order.lines);
    if (!due)
        return {{}, notSent("读取菜品的出品部门失败", due.error(), 0)};
    const auto tickets = KitchenTicket::between(order, sent, *due, now());
    if (tickets.empty())
        return {};
    Outcome outcome = dispatch(order, tickets, *due);
    if (outcome.problem.empty())
        sent = *due;
    return outcome;
}

void KitchenDispatch::notReceived(std::vector<KitchenLine>& sent, const std::string& station) {
    std::erase_if(sent, [&](const KitchenLine& line) { return line.station == station; });
}

KitchenDispatch::Outcome KitchenDispatch::reprint(long long orderId) {
    const ReadResult<KitchenOrder> order = KitchenRecord(m_db).order(orderId);
    if (!order)
        return {{}, notSent("读取订单失败", order.error(), orderId)};
    const auto due = KitchenRecord(m_db).atStations(order->lines);
    if (!due)
        return {{}, notSent("读取菜品的出品部门失败", due.error(), orderId)};
    if (due->empty())
        return {{}, "这张订单没有要送厨房的菜品：它的菜品都没有设置出品部门。"};
    return dispatch(*order, KitchenTicket::reprint(*order, *due, now()), *due);
}

ReadResult<std::vector<KitchenLine>> KitchenDispatch::stationLines(long long orderId) const {
    const KitchenRecord record(m_db);
    const ReadResult<KitchenOrder> order = record.order(orderId);
    if (!order)
        return order.readFailure();
    return record.atStations(order->lines);
}

KitchenDispatch::Outcome KitchenDispatch::dispatch(const KitchenOrder& order,
                                                   const std::vector<KitchenTicket>& tickets,
                                                   const std::vector<KitchenLine>& due) {
    DbTransaction transaction(m_db);
    bool stored =
        transaction.started() && (order.id == 0 || KitchenRecord(m_db).replaceSent(order.id, due));
    for (const KitchenTicket& ticket : tickets)
        stored = stored && ChangeLog(m_db).write(
                               {kindOf(ticket), idText(order.id), order.number, {}, ticket.text()});
    // Sent unrecorded, a ticket would go out again with the next change.
    if (!stored || !transaction.commit())
        return {
            {},
            notSent("无法记下", StorageFailures::failed("保存", m_db.lastFailure(), ""), order.id)};
    return {submit(order, tickets), {}};
}

std::vector<KitchenDispatch::Job>
KitchenDispatch::submit(const KitchenOrder& order, const std::vector<KitchenTicket>& tickets) {
    const ReadResult<std::vector<Station>> stations = StationList(m_db).stations();
    std::vector<Job> jobs;
    for (const KitchenTicket& ticket : tickets) {
        Job job{ticket.station, {}, order.id, order.number, nullptr, {}};
        const auto station =
            stations ? std::find_if(stations->begin(), stations->end(),
                                    [&](const Station& s) { return s.name == ticket.station; })
                     : std::vector<Station>::const_iterator{};
        const auto connection = stations && station != stations->end()
                                    ? PrinterConnection::parse(station->connection)
                                    : std::nullopt;
        if (!stations)
            job.problem = "出品部门读不出来：" + stations.error();
        else if (station == stations->end())
            job.problem = "没有这个出品部门，请在“出品部门设置”中添加";
        else if (!connection)
            job.problem = "打印机连接没有设置好，请在“出品部门设置”中填写";
        else {
            job.connection = connection->text();
            job.job = m_spooler.submit(*connection, bytes(ticket, *station),
                                       "第" + order.number + "号厨房单（" + ticket.station + "）");
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

bool KitchenDispatch::recordFailure(const Job& job, const std::string& problem) {
    return ChangeLog(m_db).write({ChangeLog::Kind::KitchenNotPrinted,
                                  idText(job.orderId),
                                  job.number,
                                  {},
                                  job.station + "：" + problem});
}

std::vector<unsigned char> KitchenDispatch::bytes(const KitchenTicket& ticket,
                                                  const Station& station) const {
    PrinterSettings printer;
    printer.cutAfterCopy = true;
    const int dots = ThermalReceipt::paperDots(station.paperWidth == 58 ? 0 : 1);
    const ThermalReceipt::Compose compose = [&](ReceiptCanvas& canvas, int& y) {
        ticket.compose(canvas, dots, y);
    };
    return ThermalReceipt::build(printer, station.copies, false, [&](EscPosJob& job, bool) {
        if (station.printsText() || !m_rasterize)
            ThermalReceipt::printText(job, dots, compose);
        else
            job.printRaster(m_rasterize(dots, compose));
    });
}
