#pragma once
#include <string>
#include <vector>

class Database;

// One of the four plain lists of names (receipt headers, shop names, discount
// names, units), each one text column of its own table.
class NamedList {
  public:
    static const NamedList& receiptHeaders();
    static const NamedList& shopNames();
    static const NamedList& discounts();
    static const NamedList& units();

    const std::string& table() const { return m_table; }
    const std::string& column() const { return m_column; }
    const std::string& caption() const { return m_caption; }
    std::string selectStatement() const { return "Select * from " + m_table; }

    // Why the text cannot be an entry, naming the column's length; empty
    // when it can.
    std::string lengthRefusal(const std::string& text) const;
    // Adds the text unless it is empty (-1), already an entry (0) or holds a
    // NUL or a control character a receipt printer would take as a command
    // (3); 1 when stored, 2 when the statement failed. Texts compare exactly,
    // untrimmed.
    [[nodiscard]] int addListEntry(Database& db, const std::vector<std::string>& entries,
                                   const std::string& text) const;
    // Deletes every row holding the text: -1 when it is empty or no entry,
    // 0 when the statement failed, 1 when deleted. entryIndex is set to the
    // first equal entry, the one the drop-down gives up.
    [[nodiscard]] int deleteListEntry(Database& db, const std::vector<std::string>& entries,
                                      const std::string& text, int& entryIndex) const;

    // The message for a result; empty when none is shown. A failed statement
    // is explained when the database can say why.
    static std::string addMessage(int result, const Database& db);
    static std::string deleteMessage(int result, const Database& db);

  private:
    NamedList(std::string table, std::string column, std::string caption)
        : m_table(std::move(table)), m_column(std::move(column)), m_caption(std::move(caption)) {}

    std::string m_table;
    std::string m_column;
    std::string m_caption;
};
