#include "orders/DeliveryCustomer.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

namespace {

std::string byPhone(const std::string& telephone) {
    return "Select * from 客户 where 电话=" + Values::sqlQuote(telephone);
}

} // namespace

DeliveryCustomer DeliveryCustomer::lookupCustomerByPhone(Database& db,
                                                         const std::string& telephone) {
    const int rs = db.OpenTable(byPhone(Values::trim(telephone)));
    DeliveryCustomer found{db.ReadColByName(rs, "姓名").toText(),
                           db.ReadColByName(rs, "地址").toText()};
    db.CloseTable(rs);
    return found;
}

bool DeliveryCustomer::saveNew(Database& db, const std::string& telephone, const std::string& name,
                               const std::string& address) {
    const std::string phone = Values::trim(telephone);
    const std::string who = Values::trim(name);
    const std::string where = Values::trim(address);
    if (phone.empty() || (who.empty() && where.empty()))
        return false;
    const int rs = db.OpenTable(byPhone(phone));
    const std::string known = db.ReadColByName(rs, "电话").toText();
    db.CloseTable(rs);
    if (known == phone)
        return false;
    return db.ExecuteSql("insert into 客户 (电话,姓名,地址) values (" + Values::sqlQuote(phone) +
                         "," + Values::sqlQuote(who) + "," + Values::sqlQuote(where) + ")");
}
