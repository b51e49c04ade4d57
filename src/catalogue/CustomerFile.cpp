#include "catalogue/CustomerFile.h"

#include "storage/engine/Database.h"
#include "storage/schema/FieldLength.h"
#include "storage/values/Values.h"

using Values::sqlQuote;

Customer CustomerFile::trimmed(const Customer& typed) {
    return {typed.id, Values::trim(typed.telephone), Values::trim(typed.name),
            Values::trim(typed.address)};
}

std::string CustomerFile::missingField(const Customer& customer) {
    if (customer.address.empty())
        return "地址不能为空，请输地址后重试。";
    if (customer.telephone.empty())
        return "电话不能为空，请输入电话后重试。";
    if (customer.name.empty())
        return "姓名不能为空，请输入姓名后重试。";
    if (std::string refused = StorageFailures::textRefusal({{"客户电话", &customer.telephone},
                                                            {"客户姓名", &customer.name},
                                                            {"客户地址", &customer.address}});
        !refused.empty())
        return refused;
    return FieldLength::refusal({{"电话", "客户", "电话", &customer.telephone},
                                 {"姓名", "客户", "姓名", &customer.name},
                                 {"地址", "客户", "地址", &customer.address}});
}

ReadResult<std::optional<Customer>>
CustomerFile::findByTelephone(const std::string& telephone) const {
    const ReadResult<Rows> rows = m_db.read("Select * from 客户 where 电话=" + sqlQuote(telephone));
    if (!rows)
        return rows.readFailure();
    std::optional<Customer> found;
    if (!rows->empty() && (*rows)[0]["电话"].toText() == telephone)
        found = Customer{(*rows)[0]["ID"].toText(), telephone, (*rows)[0]["姓名"].toText(),
                         (*rows)[0]["地址"].toText()};
    return found;
}

bool CustomerFile::insert(const Customer& c) {
    return m_db.ExecuteSql("insert into 客户  (电话,姓名,地址) values (" + sqlQuote(c.telephone) +
                           "," + sqlQuote(c.name) + "," + sqlQuote(c.address) + ")");
}

bool CustomerFile::updateNameAndAddress(const Customer& c) {
    return m_db.ExecuteSql("update 客户 set 姓名 = " + sqlQuote(c.name) + ",地址 =" +
                           sqlQuote(c.address) + " where 电话 = " + sqlQuote(c.telephone));
}

CustomerFile::Result CustomerFile::insertResult(const Customer& customer) {
    if (!insert(customer))
        return failedResult(customer);
    return {Outcome::Added, "保存完成。", customer};
}

CustomerFile::Result CustomerFile::updateResult(const Customer& customer) {
    if (!updateNameAndAddress(customer))
        return failedResult(customer);
    return {Outcome::Updated, "修改完成。", customer};
}

// A telephone that could not be looked up is neither added nor overwritten.
CustomerFile::Result CustomerFile::unreadResult(const ReadFailure& failure,
                                                const Customer& customer) {
    return {Outcome::Failed,
            StorageFailures::failed("读取客户资料", failure.cause, "客户资料没有改动。"), customer};
}

CustomerFile::Result CustomerFile::failedResult(const Customer& customer) const {
    return {Outcome::Failed,
            StorageFailures::failed("保存", m_db.lastFailure(), "客户资料没有改动。"), customer};
}

std::string CustomerFile::deleteFailure() const {
    return StorageFailures::failed("删除", m_db.lastFailure(), "客户资料没有改动。");
}

CustomerFile::Result CustomerFile::addCustomer(const Customer& typed, const Confirm& overwrite) {
    const Customer customer = trimmed(typed);
    if (const std::string refusal = missingField(customer); !refusal.empty())
        return {Outcome::Refused, refusal, customer};
    const ReadResult<std::optional<Customer>> stored = findByTelephone(customer.telephone);
    if (!stored)
        return unreadResult(stored.readFailure(), customer);
    if (!*stored)
        return insertResult(customer);
    if (!overwrite(overwriteQuestion(customer, **stored)))
        return {Outcome::Declined, {}, customer};
    return updateResult(customer);
}

CustomerFile::Result CustomerFile::modifyCustomer(const Customer& typed, const Confirm& add) {
    const Customer customer = trimmed(typed);
    if (const std::string refusal = missingField(customer); !refusal.empty())
        return {Outcome::Refused, refusal, customer};
    const ReadResult<std::optional<Customer>> stored = findByTelephone(customer.telephone);
    if (!stored)
        return unreadResult(stored.readFailure(), customer);
    if (*stored)
        return updateResult(customer);
    if (!add(addQuestion))
        return {Outcome::Declined, {}, customer};
    return insertResult(customer);
}

bool CustomerFile::deleteCustomer(const std::string& telephone) {
    return m_db.ExecuteSql("Delete * from 客户 where 电话 =" + sqlQuote(telephone));
}

std::string CustomerFile::searchFragment(const std::string& text) {
    return " and 姓名=" + sqlQuote(text) + " or 电话=" + sqlQuote(text);
}

std::string CustomerFile::searchRefusal(const std::string& text) {
    if (text.empty())
        return searchEmpty;
    return text.find('\0') == std::string::npos ? std::string() : searchNul;
}

std::string CustomerFile::deleteQuestion(const Customer& c) {
    return "客户电话：" + c.telephone + "\r\n客户姓名：" + c.name + "\r\n客户地址：" + c.address +
           "\r\n\r\n是否删除该客户？";
}

std::string CustomerFile::overwriteQuestion(const Customer& typed, const Customer& stored) {
    return "客户电话已经存在，不能重复添加。\r\n电话：" + typed.telephone + "\r\n姓名：" +
           stored.name + "\r\n地址：" + stored.address +
           "\r\n是否修改该客户？\r\n\r\n修改请点 是\r\n返回请点 否";
}
