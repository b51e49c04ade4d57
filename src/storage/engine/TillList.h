#pragma once
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// The tills that took the stored orders, for the till filters of the history
// and the reports. Read from the sums kept per run of order IDs, never from
// the orders themselves.
class TillList {
  public:
    // In name order; "" stands for orders stored before tills were named.
    static ReadResult<std::vector<std::string>> read(Database& db);
    static std::string statement();
};
