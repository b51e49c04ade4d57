#include "catalogue/TableList.h"
#include "storage/engine/Database.h"
#include "storage/schema/FieldLength.h"
#include "storage/values/Values.h"

using Values::sqlQuote;

namespace {

// Code and name as they are checked and stored.
std::pair<std::string, std::string> trimmed(const std::string& code, const std::string& name) {
    return {Values::trim(code), Values::trim(name)};
}

} // namespace

ReadResult<ListRows> TableList::load() const {
    const ReadResult<Rows> read = m_db.read("Select * from 桌号");
    if (!read)
        return read.readFailure();
    ListRows rows;
    for (const Rows::Row& row : *read)
        rows.push_back({"", row["代号"].toText(), row["桌号名称"].toText()});
    return rows;
}

std::string TableList::fieldRefusal(const std::string& code, const std::string& name) {
    if (Values::textToInt(code) <= 0)
        return "数字代号不能为空为 0，请输入代号后重试。";
    if (name.empty())
        return "桌号不能为空，请输入桌号后重试。";
    if (std::string refused =
            StorageFailures::textRefusal({{"数字代号", &code}, {"桌号名称", &name}});
        !refused.empty())
        return refused;
    return FieldLength::refusal(
        {{"数字代号", "桌号", "代号", &code}, {"桌号名称", "桌号", "桌号名称", &name}});
}

ListOutcome TableList::add(const std::string& codeField, const std::string& nameField,
                           const ListRows& shown) {
    const auto [code, name] = trimmed(codeField, nameField);
    if (std::string refusal = fieldRefusal(code, name); !refusal.empty())
        return ListOutcome::refused(std::move(refusal));
    if (const int row = findRow(shown, code, Code); row >= 0)
        return ListOutcome::refused("代号已经存在，不能重复添加。", row);
    if (const int row = findRow(shown, name, Name); row >= 0)
        return ListOutcome::refused("桌号已经存在，不能重复添加。", row);
    if (!m_db.ExecuteSql("insert into 桌号 (代号,桌号名称) values (" + sqlQuote(code) + "," +
                         sqlQuote(name) + ")"))
        return ListOutcome::failed(m_db);
    return ListOutcome::done("保存完成。", static_cast<int>(shown.size()));
}

ListOutcome TableList::modify(const std::string& codeField, const std::string& nameField,
                              const ListRows& shown) {
    const auto [code, name] = trimmed(codeField, nameField);
    if (std::string refusal = fieldRefusal(code, name); !refusal.empty())
        return ListOutcome::refused(std::move(refusal));
    const int row = findRow(shown, name, Name);
    bool codeTaken = false;
    for (size_t i = 0; i < shown.size() && row >= 0; ++i)
        codeTaken = codeTaken || (static_cast<int>(i) != row && shown[i].at(Code) == code);
    if (row < 0 || codeTaken)
        return ListOutcome::refused("桌号已存在，无法重复定义该桌号。");
    if (!m_db.ExecuteSql("update 桌号 set 代号 = " + sqlQuote(code) +
                         "  where 桌号名称 = " + sqlQuote(name)))
        return ListOutcome::failed(m_db);
    return ListOutcome::done("修改完成。", row);
}

bool TableList::remove(const ListRow& row) {
    return m_db.ExecuteSql("Delete * from 桌号 where 桌号名称 =" + sqlQuote(row.at(Name)));
}

std::string TableList::deleteQuestion(const ListRow& row) {
    return "是否删除桌号：" + row.at(Name) + " ?";
}

ListRow TableList::toRow(const std::string& code, const std::string& name) {
    return {"", Values::trim(code), Values::trim(name)};
}
