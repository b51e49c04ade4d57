#include "shift/ShiftExport.h"

#include "shift/ShiftRecord.h"
#include "spreadsheet/TableFileFormat.h"

#include <functional>

namespace ShiftExport {

namespace {

struct Column {
    const char* heading;
    std::function<void(TableWriter&, const ShiftRecord&)> write;
};

// A day close counts no drawer: its count, difference and cash left stay blank.
Column amount(const char* heading, Money (*of)(const ShiftRecord&), bool counted = false) {
    return {heading, [of, counted](TableWriter& w, const ShiftRecord& r) {
                if (counted && r.period.kind != ShiftPeriod::Kind::Handover)
                    w.blank();
                else
                    w.number(of(r).yuan());
            }};
}

Column count(const char* heading, int ShiftFigures::*of) {
    return {heading, [of](TableWriter& w, const ShiftRecord& r) { w.number(r.figures.*of); }};
}

Column text(const char* heading, std::string (*of)(const ShiftRecord&)) {
    return {heading, [of](TableWriter& w, const ShiftRecord& r) { w.text(of(r)); }};
}

const std::vector<Column>& columns() {
    using R = const ShiftRecord&;
    static const std::vector<Column> all = {
        text("记录", [](R r) { return r.title(); }),
        text("营业日", [](R r) {
            return r.period.kind == ShiftPeriod::Kind::Handover ? std::string()
                                                                 : r.period.day.canonical().substr(0, 10);
        }),
        text("收银台", [](R r) { return r.period.till; }),
        text("收银员", [](R r) { return r.period.cashier; }),
        text("开始时间", [](R r) { return r.period.start; }),
        text("结束时间", [](R r) { return r.end; }),
        count("订单数", &ShiftFigures::orders),
        amount("收入", [](R r) { return r.figures.income; }),
        amount("减免金额", [](R r) { return r.figures.discounts; }),
        count("删除单数", &ShiftFigures::deletions),
        amount("删除金额", [](R r) { return r.figures.deleted; }),
        count("修改单数", &ShiftFigures::edits),
        count("打单未结算", &ShiftFigures::printsOnly),
        amount("备用金", [](R r) { return r.figures.startingFloat; }),
        amount("现金收入", [](R r) { return r.figures.cashTaken; }),
        amount("现金变动", [](R r) { return r.figures.cashChanged; }),
        amount("应有现金", [](R r) { return r.figures.expectedCash(); }),
        amount("实点现金", [](R r) { return r.figures.counted; }, true),
        amount("差额", [](R r) { return r.figures.difference(); }, true),
        amount("留存备用金", [](R r) { return r.figures.left; }, true),
    };
    return all;
}

} // namespace

WriteResult toFile(const std::vector<ShiftRecord>& records, const std::string& path) {
    const std::unique_ptr<TableWriter> writer = tableWriterFor(path);
    std::vector<TableWriter::Column> headings;
    for (const Column& column : columns())
        headings.push_back({column.heading, 14});
    writer->startTable("交班记录", headings);
    for (const ShiftRecord& record : records) {
        for (const Column& column : columns())
            column.write(*writer, record);
        writer->endRow();
    }
    return writer->finish();
}

} // namespace ShiftExport
