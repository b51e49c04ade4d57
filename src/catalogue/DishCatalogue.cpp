#include "catalogue/DishCatalogue.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/schema/FieldLength.h"
#include "storage/values/Values.h"

#include <cmath>

using Values::sqlQuote;

namespace {

const std::string retry = "，请输入价格后重试。";

// Each kind of text that is no price gets its own reason.
std::string priceRefusalOf(const std::string& text, double rounded) {
    const std::string trimmed = Values::trim(text);
    if (trimmed.empty())
        return "价格不能为空" + retry;
    const auto number = Values::textAsNumber(trimmed);
    const bool decimal = trimmed.find_first_not_of("0123456789.eE+-") == std::string::npos;
    if (!number && !(decimal && std::isinf(std::strtod(trimmed.c_str(), nullptr))))
        return "价格“" + trimmed + "”不是数字" + retry;
    if (!number || *number > DishCatalogue::maximumPrice)
        return "价格不能超过" + Values::numberToText(DishCatalogue::maximumPrice) + retry;
    if (!(rounded > 0.0000001))
        return "价格不能小于或者等于0" + retry;
    return {};
}

} // namespace

DishInput DishInput::fromFields(const std::string& code, const std::string& letters,
                                const std::string& name, const std::string& priceText,
                                const std::string& unit, const std::string& station) {
    const double price = Values::roundTo(Values::textToNumber(priceText), 1);
    return {Values::trim(code),
            Values::trim(letters),
            Values::trim(name),
            price,
            unit,
            priceRefusalOf(priceText, price),
            Values::trim(station)};
}

std::string DishInput::priceText() const {
    return Values::numberToText(price);
}

ListRow DishInput::toRow() const {
    return {"", code, letters, name, priceText(), unit};
}

ReadResult<ListRows> DishCatalogue::loadDishList() const {
    ReadResult<ListRows> rows = loadMenu();
    if (rows)
        for (ListRow& row : *rows)
            row.pop_back();
    return rows;
}

ReadResult<ListRows> DishCatalogue::loadMenu() const {
    const ReadResult<Rows> read = m_db.read("Select * from 菜单");
    if (!read)
        return read.readFailure();
    ListRows rows;
    for (const Rows::Row& row : *read)
        rows.push_back({"", row["代码"].toText(), row["字母"].toText(), row["菜名"].toText(),
                        Values::numberToText(row["价格"].toNumber()), row["单位"].toText(),
                        row["出品部门"].toText()});
    return rows;
}

ReadResult<std::string> DishCatalogue::stationOf(const std::string& dishName) const {
    const ReadResult<Rows> read =
        m_db.read("select 出品部门 from 菜单 where 菜名 = " + sqlQuote(dishName));
    if (!read)
        return read.readFailure();
    return read->empty() ? std::string() : (*read)[0]["出品部门"].toText();
}

std::string DishCatalogue::fieldRefusal(const DishInput& dish) {
    if (dish.code.empty())
        return "数字代号不能为空，请输入代号后重试。";
    if (dish.name.empty())
        return "菜名不能为空，请输入菜名后重试。";
    if (!dish.priceRefusal.empty())
        return dish.priceRefusal;
    // "inf" and "nan" read as numbers too; neither is a price.
    if (!std::isfinite(dish.price) || !(dish.price > 0.0000001))
        return "价格不能小于或者等于0" + retry;
    if (dish.unit.empty())
        return "没有选择项目的计量单位，请选择后重试。";
    if (std::string refused = StorageFailures::textRefusal({{"数字代号", &dish.code},
                                                            {"字母代号", &dish.letters},
                                                            {"菜品名称", &dish.name},
                                                            {"单位", &dish.unit}});
        !refused.empty())
        return refused;
    return FieldLength::refusal({{"数字代号", "菜单", "代码", &dish.code},
                                 {"字母代号", "菜单", "字母", &dish.letters},
                                 {"菜名", "菜单", "菜名", &dish.name},
                                 {"单位", "菜单", "单位", &dish.unit}});
}

ListOutcome DishCatalogue::addDish(const DishInput& dish, const ListRows& shown) {
    if (std::string refusal = fieldRefusal(dish); !refusal.empty())
        return ListOutcome::refused(std::move(refusal));
    if (std::string refusal = stationRefusal(dish); !refusal.empty())
        return ListOutcome::refused(std::move(refusal));
    if (const int row = findRow(shown, dish.code, Code); row >= 0)
        return ListOutcome::refused("代号已经存在，不能重复添加。", row);
    if (const int row = findRow(shown, dish.name, Name); row >= 0)
        return ListOutcome::refused("菜名已经存在，不能重复添加。", row);
    if (!m_db.ExecuteSql(insertStatement(dish)))
        return ListOutcome::failed(m_db);
    return ListOutcome::done("保存完成。", static_cast<int>(shown.size()));
}

std::string DishCatalogue::insertStatement(const DishInput& dish) {
    return "insert into 菜单  (代码,字母,菜名,价格,单位,出品部门) values (" + sqlQuote(dish.code) +
           "," + sqlQuote(dish.letters) + "," + sqlQuote(dish.name) + "," + dish.priceText() + "," +
           sqlQuote(dish.unit) + "," + sqlQuote(dish.station) + ")";
}

std::string DishCatalogue::stationRefusal(const DishInput& dish) const {
    if (dish.station.empty())
        return {};
    const ReadResult<Rows> read =
        m_db.read("select ID from 出品部门 where 名称 = " + sqlQuote(dish.station));
    if (!read)
        return read.message("读取出品部门", "菜品没有保存。");
    if (!read->empty())
        return {};
    return "没有出品部门“" + dish.station + "”，请先在“出品部门设置”中添加。";
}

ListOutcome DishCatalogue::modifyDish(const DishInput& dish, const ListRows& shown) {
    if (std::string refusal = fieldRefusal(dish); !refusal.empty())
        return ListOutcome::refused(std::move(refusal));
    if (std::string refusal = stationRefusal(dish); !refusal.empty())
        return ListOutcome::refused(std::move(refusal));
    const int row = findRow(shown, dish.name, Name);
    if (row < 0)
        return ListOutcome::refused("菜名不存在，无法完成修改。");
    const std::string sql = "update 菜单 set 代码 = " + sqlQuote(dish.code) +
                            ",字母 =" + sqlQuote(dish.letters) + ",单位 =" + sqlQuote(dish.unit) +
                            ",价格=" + dish.priceText() + ",出品部门 =" + sqlQuote(dish.station) +
                            "  where 菜名 = " + sqlQuote(dish.name);
    if (!m_db.ExecuteSql(sql))
        return ListOutcome::failed(m_db);
    return ListOutcome::done("修改完成。", row);
}

bool DishCatalogue::deleteDish(const ListRow& row) {
    return m_db.ExecuteSql("Delete * from 菜单 where 代码 =" + sqlQuote(row.at(Code)) +
                           "and 菜名 = " + sqlQuote(row.at(Name)));
}

std::string DishCatalogue::deleteQuestion(const ListRow& row) {
    return "是否删除菜单中的：" + row.at(Name) + " ?";
}

DishCatalogue::MenuStored DishCatalogue::storeMenu(const std::vector<std::string>& newUnits,
                                                   const std::vector<MenuChange>& changes,
                                                   const MenuProgress& progress) {
    DbTransaction transaction(m_db);
    if (!transaction.started())
        return MenuStored::Failed;
    for (const std::string& unit : newUnits)
        if (!m_db.ExecuteSql("insert into 单位 (单位名称) values (" + sqlQuote(unit) + ")"))
            return MenuStored::Failed;
    const auto total = static_cast<long long>(changes.size());
    long long done = 0;
    for (const MenuChange& change : changes) {
        const DishInput& dish = change.dish;
        const std::string statement =
            change.id == 0
                ? insertStatement(dish)
                : "update 菜单 set 字母 =" + sqlQuote(dish.letters) +
                      ",菜名 =" + sqlQuote(dish.name) + ",价格=" + dish.priceText() +
                      ",单位 =" + sqlQuote(dish.unit) + ",出品部门 =" + sqlQuote(dish.station) +
                      " where [id] = " + std::to_string(change.id);
        if (!m_db.ExecuteSql(statement))
            return MenuStored::Failed;
        if (++done % 64 == 0 && progress && !progress(done, total))
            return MenuStored::Cancelled;
    }
    if (progress && !progress(total, total))
        return MenuStored::Cancelled;
    return transaction.commit() ? MenuStored::Stored : MenuStored::Failed;
}
