#pragma once
#include "shift/ShiftFigures.h"
#include "shift/ShiftPeriod.h"
#include "storage/engine/ReadResult.h"

class Database;

// Works out a period's figures from the orders as they stand and the change
// records. An order of the period counts as it stands now, so its own edits
// are in it already; an edit or deletion made in the period to an earlier
// order moves the drawer's cash by what it changed of the cash paid,
// a change of payment method included. Only 现金支付 goes into the drawer.
class ShiftCalculator {
  public:
    explicit ShiftCalculator(Database& db) : m_db(db) {}

    ReadResult<ShiftFigures> figures(const ShiftPeriod& period) const;

    static constexpr const char* cashMethod = "现金支付";

  private:
    bool addOrders(const ShiftPeriod& period, ShiftFigures& figures) const;
    bool addChanges(const ShiftPeriod& period, ShiftFigures& figures) const;
    ReadFailure failure() const;

    Database& m_db;
};
