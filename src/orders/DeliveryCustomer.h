#pragma once
#include <string>

class Database;

// The delivery customer behind the telephone box of the order window.
struct DeliveryCustomer {
    std::string name;
    std::string address;

    // Name and address stored for the telephone (trimmed); both empty when
    // no customer has it.
    static DeliveryCustomer lookupCustomerByPhone(Database& db, const std::string& telephone);
    // Adds a customer unless the telephone is empty, name and address are both
    // empty, or the telephone is already known. True when a row was added.
    static bool saveNew(Database& db, const std::string& telephone, const std::string& name,
                        const std::string& address);
};
