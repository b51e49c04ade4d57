#include "orders/DeliveryCustomer.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

namespace {

std::string byPhone(const std::string& telephone) {
    return "Select * from 客户 where 电话=" + Values::sqlQuote(telephone);
}

} // namespace

ReadResult<DeliveryCustomer> DeliveryCustomer::lookupCustomerByPhone(Database& db,
                                                                     const std::string& telephone) {
    const ReadResult<Rows> rows = db.read(byPhone(Values::trim(telephone)));
    if (!rows)
        return rows.readFailure();
    if (rows->empty())
        return DeliveryCustomer{};
    return DeliveryCustomer{(*rows)[0]["姓名"].toText(), (*rows)[0]["地址"].toText()};
}

std::string DeliveryCustomer::lookupFailure(const ReadResult<DeliveryCustomer>& lookup) {
    return lookup.message("读取客户资料", "姓名和地址没有填入。");
}

DeliveryCustomer::SaveResult DeliveryCustomer::saveNew(Database& db, const std::string& telephone,
                                                       const std::string& name,
                                                       const std::string& address) {
    const std::string phone = Values::trim(telephone);
    const std::string who = Values::trim(name);
    const std::string where = Values::trim(address);
    if (phone.empty() || (who.empty() && where.empty()))
        return {Saved::Skipped, {}};
    const std::string unchanged = "客户资料没有改动。";
    const ReadResult<Rows> known = db.read(byPhone(phone));
    if (!known)
        return {Saved::Failed, known.message("读取客户资料", unchanged)};
    if (!known->empty() && (*known)[0]["电话"].toText() == phone)
        return {Saved::Skipped, {}};
    if (!db.ExecuteSql("insert into 客户 (电话,姓名,地址) values (" + Values::sqlQuote(phone) +
                       "," + Values::sqlQuote(who) + "," + Values::sqlQuote(where) + ")"))
        return {Saved::Failed, StorageFailures::failed("保存客户", db.lastFailure(), unchanged)};
    return {Saved::Added, {}};
}
