#pragma once
#include "orders/OrderDraft.h"
#include "storage/engine/ReadResult.h"

#include <vector>

class Database;

// The receipts this till still owes for today's stored orders: recorded as
// not printed and not printed again since. Read as the order window opens,
// so that a receipt left for later is still offered after the program
// closed or ended badly.
class OwedReceipts {
  public:
    // Oldest first, each order as stored with its time in `timeFormat`; an
    // order deleted since is left out.
    static ReadResult<std::vector<OrderDraft>> today(Database& db, int timeFormat);
};
