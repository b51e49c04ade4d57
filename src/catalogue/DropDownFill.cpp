#include "catalogue/DropDownFill.h"
#include "storage/engine/Database.h"

ReadResult<DropDownFill> DropDownFill::fromTable(Database& db, const std::string& select,
                                                 const std::string& column,
                                                 const std::string& shownText) {
    const ReadResult<Rows> rows = db.read(select);
    if (!rows)
        return rows.readFailure();
    DropDownFill fill;
    fill.entries.emplace_back();
    for (const Rows::Row& row : *rows) {
        fill.entries.push_back(row[column].toText());
        if (fill.entries.back() == shownText)
            fill.selected = static_cast<int>(fill.entries.size()) - 1;
    }
    return fill;
}

ReadResult<DropDownFill> DropDownFill::units(Database& db) {
    const ReadResult<Rows> rows = db.read("Select * from 单位");
    if (!rows)
        return rows.readFailure();
    DropDownFill fill;
    for (const Rows::Row& row : *rows)
        fill.entries.push_back(row["单位名称"].toText());
    return fill;
}

std::string DropDownFill::failureMessage(const ReadFailure& failure) {
    return StorageFailures::failed("读取列表", failure.cause, "列表保持原样，数据没有改动。");
}
