#include "catalogue/NamedList.h"

#include "catalogue/ListOutcome.h"
#include "storage/engine/Database.h"
#include "storage/engine/StorageFailure.h"
#include "storage/schema/FieldLength.h"
#include "storage/values/Values.h"

#include <algorithm>

const NamedList& NamedList::receiptHeaders() {
    static const NamedList list("票头设置", "票头", "票头设置");
    return list;
}

const NamedList& NamedList::shopNames() {
    static const NamedList list("店名", "店铺名称", "店铺名称设置");
    return list;
}

const NamedList& NamedList::discounts() {
    static const NamedList list("减免", "减免名称", "优惠减免设置");
    return list;
}

const NamedList& NamedList::units() {
    static const NamedList list("单位", "单位名称", "计量单位设置");
    return list;
}

std::string NamedList::lengthRefusal(const std::string& text) const {
    return FieldLength::refusal({{m_column.c_str(), m_table.c_str(), m_column.c_str(), &text}});
}

int NamedList::addListEntry(Database& db, const std::vector<std::string>& entries,
                            const std::string& text) const {
    if (text.empty())
        return -1;
    if (std::find(entries.begin(), entries.end(), text) != entries.end())
        return 0;
    if (!StorageFailures::textRefusal({{m_column.c_str(), &text}}).empty())
        return 3;
    const std::string sql =
        "insert into " + m_table + " (" + m_column + ") values (" + Values::sqlQuote(text) + ")";
    return db.ExecuteSql(sql) ? 1 : 2;
}

int NamedList::deleteListEntry(Database& db, const std::vector<std::string>& entries,
                               const std::string& text, int& entryIndex) const {
    entryIndex = -1;
    if (text.empty())
        return -1;
    const auto found = std::find(entries.begin(), entries.end(), text);
    if (found == entries.end())
        return -1;
    const std::string sql =
        "delete * from " + m_table + " where " + m_column + " = " + Values::sqlQuote(text);
    if (!db.ExecuteSql(sql))
        return 0;
    entryIndex = static_cast<int>(found - entries.begin());
    return 1;
}

std::string NamedList::addMessage(int result, const Database& db) {
    switch (result) {
    case -1:
        return "请填入要添加的内容";
    case 0:
        return "该项已存在";
    case 1:
        return "保存完成";
    case 3:
        return "名称中含有无法保存的字符（空字符，或打印机会当作指令的控制字符），请删除后重试。";
    default:
        return ListOutcome::failureMessage("保存", db);
    }
}

std::string NamedList::deleteMessage(int result, const Database& db) {
    const std::string why = ListOutcome::failureMessage("删除", db);
    switch (result) {
    case -1:
        return "请填入或选择要删除的内容";
    case 0:
        return why.empty() ? "删除失败" : why;
    case 1:
        return "删除完成";
    default:
        return {};
    }
}
