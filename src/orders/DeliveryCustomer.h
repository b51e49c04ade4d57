#pragma once
#include "storage/engine/ReadResult.h"

#include <string>

class Database;

// The delivery customer behind the telephone box of the order window.
struct DeliveryCustomer {
    std::string name;
    std::string address;

    // Name and address stored for the telephone (trimmed); both empty when
    // no customer has it.
    static ReadResult<DeliveryCustomer> lookupCustomerByPhone(Database& db,
                                                              const std::string& telephone);
    // Why the lookup found nothing to fill in, for the cashier.
    static std::string lookupFailure(const ReadResult<DeliveryCustomer>& lookup);

    enum class Saved {
        Added,
        Skipped, // the telephone is empty, name and address are both empty, or it is known
        Failed,  // nothing stored; see message
    };
    struct SaveResult {
        Saved outcome;
        std::string message; // for Failed
    };
    // Adds a customer unless the telephone is empty, name and address are both
    // empty, or the telephone is already known. A telephone that could not be
    // looked up is not added, so that no customer is stored twice.
    [[nodiscard]] static SaveResult saveNew(Database& db, const std::string& telephone,
                                            const std::string& name, const std::string& address);
};
