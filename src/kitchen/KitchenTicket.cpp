#include "kitchen/KitchenTicket.h"

#include "receipt/ReceiptCanvas.h"
#include "receipt/ReceiptComposer.h"

#include <algorithm>

namespace {

// Read across the kitchen: the dishes, the table and the remark are twice
// the size of the rest.
constexpr LineStyle large{18, true};
constexpr LineStyle normal{9, false};

using Items = std::vector<KitchenTicket::Item>;

// The station's dishes, lines of the same dish and unit added up, in order.
Items itemsOf(const std::vector<KitchenLine>& lines, const std::string& station) {
    Items items;
    for (const KitchenLine& line : lines) {
        if (line.station != station)
            continue;
        auto same = std::find_if(items.begin(), items.end(), [&](const KitchenTicket::Item& i) {
            return i.dish == line.dish && i.unit == line.unit;
        });
        if (same == items.end())
            items.push_back({line.dish, line.unit, 0, line.quantity});
        else
            same->after += line.quantity;
    }
    return items;
}

std::vector<std::string> stationsOf(const std::vector<KitchenLine>& first,
                                    const std::vector<KitchenLine>& second) {
    std::vector<std::string> stations;
    for (const auto* lines : {&first, &second})
        for (const KitchenLine& line : *lines)
            if (std::find(stations.begin(), stations.end(), line.station) == stations.end())
                stations.push_back(line.station);
    return stations;
}

// What changed from `sent` to `due`: dishes in due's order, then those taken back.
Items changes(const Items& sent, const Items& due) {
    Items changed;
    auto find = [](const Items& in, const KitchenTicket::Item& item) {
        return std::find_if(in.begin(), in.end(), [&](const KitchenTicket::Item& i) {
            return i.dish == item.dish && i.unit == item.unit;
        });
    };
    for (const KitchenTicket::Item& item : due) {
        const auto was = find(sent, item);
        const int before = was == sent.end() ? 0 : was->after;
        if (before != item.after)
            changed.push_back({item.dish, item.unit, before, item.after});
    }
    for (const KitchenTicket::Item& item : sent)
        if (find(due, item) == due.end() && item.after != 0)
            changed.push_back({item.dish, item.unit, item.after, 0});
    return changed;
}

KitchenTicket ticketOf(const KitchenOrder& order, const std::string& station,
                       KitchenTicket::Kind kind, const std::string& time, Items items) {
    return {station, kind, order.number, order.table, time, order.remark, std::move(items)};
}

std::string heading(const KitchenTicket& t) {
    switch (t.kind) {
    case KitchenTicket::Kind::Order:
        return {};
    case KitchenTicket::Kind::Reprint:
        return "补打";
    case KitchenTicket::Kind::Change:
        break;
    }
    const auto added = [](const KitchenTicket::Item& i) { return i.before == 0; };
    const auto removed = [](const KitchenTicket::Item& i) { return i.after == 0; };
    if (std::all_of(t.items.begin(), t.items.end(), added))
        return "加菜";
    if (std::all_of(t.items.begin(), t.items.end(), removed))
        return "退菜";
    return "改单";
}

std::string itemLine(const KitchenTicket& t, const KitchenTicket::Item& item) {
    // Short enough that a dish of five characters keeps one line of 58 mm paper.
    const std::string mark = t.mark(item);
    const std::string quantity =
        item.after == 0 || item.before == 0
            ? std::to_string(std::max(item.before, item.after))
            : std::to_string(item.before) + "→" + std::to_string(item.after);
    return (mark.empty() ? "" : "【" + mark + "】") + item.dish + " " + quantity + item.unit;
}

std::string tableText(const KitchenTicket& t) {
    return t.table.empty() ? "外卖" : t.table;
}

} // namespace

std::vector<KitchenTicket> KitchenTicket::between(const KitchenOrder& order,
                                                  const std::vector<KitchenLine>& sent,
                                                  const std::vector<KitchenLine>& due,
                                                  const std::string& time) {
    std::vector<KitchenTicket> tickets;
    for (const std::string& station : stationsOf(due, sent)) {
        const Items before = itemsOf(sent, station);
        Items changed = changes(before, itemsOf(due, station));
        if (changed.empty())
            continue;
        const Kind kind = before.empty() ? Kind::Order : Kind::Change;
        tickets.push_back(ticketOf(order, station, kind, time, std::move(changed)));
    }
    return tickets;
}

std::vector<KitchenTicket> KitchenTicket::reprint(const KitchenOrder& order,
                                                  const std::vector<KitchenLine>& due,
                                                  const std::string& time) {
    std::vector<KitchenTicket> tickets;
    for (const std::string& station : stationsOf(due, {}))
        tickets.push_back(ticketOf(order, station, Kind::Reprint, time, itemsOf(due, station)));
    return tickets;
}

std::string KitchenTicket::mark(const Item& item) const {
    if (kind != Kind::Change)
        return {};
    if (item.before == 0)
        return "加";
    if (item.after == 0)
        return "退";
    return "改";
}

void KitchenTicket::compose(ReceiptCanvas& canvas, int paperDots, int& y) const {
    ReceiptComposer c(canvas, paperDots, y);
    c.drawCentered(" " + station + " ", "*", large);
    if (const std::string head = heading(*this); !head.empty())
        c.drawCentered(" " + head + " ", "=", large);
    c.drawWrapped("单号：" + number, large, "");
    c.drawWrapped("桌号：" + tableText(*this), large, "");
    c.drawWrapped("时间：" + time, normal, "");
    c.drawSeparator();
    for (const Item& item : items)
        c.drawWrapped(itemLine(*this, item), large, "");
    c.drawSeparator();
    if (!remark.empty())
        c.drawWrapped("备注：" + remark, large, "");
}

std::string KitchenTicket::text() const {
    std::string text = station;
    if (const std::string head = heading(*this); !head.empty())
        text += " " + head;
    text += "\n单号：" + number + "\n桌号：" + tableText(*this);
    for (const Item& item : items)
        text += "\n" + itemLine(*this, item);
    if (!remark.empty())
        text += "\n备注：" + remark;
    return text;
}
