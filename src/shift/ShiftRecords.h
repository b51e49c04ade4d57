#pragma once
#include "shift/ShiftRecord.h"
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// 交班记录: handovers and day closes, numbered (handovers apart from day
// closes, which share their numbers with their supplements). A record is
// stored whole in one transaction and never changed or removed.
class ShiftRecords {
  public:
    explicit ShiftRecords(Database& db) : m_db(db) {}

    // The shift a handover of this till and cashier now covers: since the
    // cashier's last handover on it, else since the till's last handover,
    // else since the start of today; its float is what the till's last
    // handover left in the drawer.
    ReadResult<ShiftPeriod> nextHandover(const std::string& till, const std::string& cashier) const;
    // The close of `day`; once the day is closed, the supplement that covers
    // what was stored after its latest close.
    ReadResult<ShiftPeriod> nextDayClose(const DateTime& day) const;

    struct Stored {
        bool ok = false;
        ShiftRecord record;
        std::string message; // why nothing was stored
    };
    // Numbers and stores the record. A day close of a day that another till
    // closed meanwhile is refused, naming the earlier close.
    [[nodiscard]] Stored store(const ShiftPeriod& period, const ShiftFigures& figures);

    // The records stored from `from` to `to` (canonical times), newest first.
    ReadResult<std::vector<ShiftRecord>> list(const std::string& from, const std::string& to) const;

    // The number of the first close of `day`, 0 when it is not closed.
    ReadResult<int> firstClose(const DateTime& day) const;
    static std::string closedMessage(int number);
    static std::string closedNote(int number); // the message without its refusal

  private:
    ReadResult<int> nextNumber(ShiftPeriod::Kind kind) const;
    std::string insertStatement(const ShiftRecord& record) const;
    ReadFailure failure() const;

    Database& m_db;
};
