#pragma once
#include <optional>
#include <string>
#include <vector>

class Database;

// 操作记录: what was done to stored orders and to printed receipts, so the
// owner can see every deletion, edit, unsettled print and reprint, every
// receipt that then did not print, every time the cash drawer was opened
// without a sale, every restore of the data from a copy, every run of the
// demo data, and every kitchen ticket sent, sent again or not printed. A record
// is written inside the transaction of the change it describes, and the
// program never changes or removes one.
class ChangeLog {
  public:
    // kindName reads a table in this order: a new kind goes last, with its name.
    enum class Kind {
        Deletion,
        Edit,
        PrintOnly,
        Reprint,
        DrawerOpened,
        NotPrinted,
        Restore,
        DemoData,
        DemoRemoval,
        KitchenTicket,
        KitchenReprint,
        KitchenNotPrinted
    };

    struct Entry {
        Kind kind;
        std::string orderId; // empty for a receipt of an order never stored
        std::string number;
        std::string before;
        std::string after;
    };

    struct Record {
        std::string id;
        std::string time;
        std::string kind;
        std::string orderId;
        std::string number;
        std::string before;
        std::string after;
    };

    explicit ChangeLog(Database& db) : m_db(db) {}

    // The record of a receipt that did not print after its print was recorded.
    static Entry notPrinted(const std::string& orderId, const std::string& number) {
        return {Kind::NotPrinted, orderId, number, {}, {}};
    }

    // One record, stamped with the database's clock.
    [[nodiscard]] bool write(const Entry& entry);
    std::optional<Record> read(const std::string& idText) const;

    // The text of the 操作 column.
    static const char* kindName(Kind kind);
    static const std::vector<Kind>& kinds();
    std::string insertStatement(const Entry& entry) const;

  private:
    Database& m_db;
};
