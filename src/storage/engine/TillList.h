#pragma once
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// The tills that took the stored orders, for the till filters of the history
// and the reports, found by stepping through the orders' till index.
class TillList {
  public:
    // In name order; "" stands for orders stored before tills were named.
    static ReadResult<std::vector<std::string>> read(Database& db);
};
