#include "catalogue/DropDownFill.h"
#include "storage/engine/Database.h"

DropDownFill DropDownFill::fromTable(Database& db, const std::string& select,
                                     const std::string& column, const std::string& shownText) {
    DropDownFill fill;
    fill.entries.emplace_back();
    const int handle = db.OpenTable(select);
    while (handle != 0 && !db.IsEOF(handle)) {
        fill.entries.push_back(db.ReadColByName(handle, column).toText());
        if (fill.entries.back() == shownText)
            fill.selected = static_cast<int>(fill.entries.size()) - 1;
        db.MoveNext(handle);
    }
    db.CloseTable(handle);
    return fill;
}

DropDownFill DropDownFill::units(Database& db) {
    DropDownFill fill;
    const int handle = db.OpenTable("Select * from 单位");
    while (handle != 0 && !db.IsEOF(handle)) {
        fill.entries.push_back(db.ReadColByName(handle, "单位名称").toText());
        db.MoveNext(handle);
    }
    db.CloseTable(handle);
    return fill;
}
