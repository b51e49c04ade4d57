#pragma once
#include <functional>
#include <string>

class Database;
struct OrderDraft;

// A receipt printed without settling: F11, or a stored order printed again.
// Each leaves a change record holding the order as printed, stored before
// the receipt goes to the printer: a receipt whose record cannot be written
// is not printed, so no receipt leaves the till unrecorded, and a receipt
// that then does not print adds a record saying so.
class RecordedPrint {
  public:
    // Prints the receipt. Once the printer is chosen and before anything is
    // printed it calls startJob, and prints nothing when that returns false.
    // True when the receipt printed.
    using Job = std::function<bool(const std::function<bool()>& startJob)>;

    enum class Outcome { Printed, NotPrinted, NotRecorded };
    struct Result {
        Outcome outcome;
        std::string message; // for NotRecorded
    };

    explicit RecordedPrint(Database& db) : m_db(db) {}

    // An order with an ID is a stored one: its receipt is a reprint.
    Result print(const OrderDraft& order, const Job& job);

    static constexpr const char* notRecorded = "无法写入操作记录，小票没有打印。";

  private:
    Database& m_db;
};
