#pragma once
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// Whose orders a report counts: every till's, the orders of one till, or the
// orders stored before tills were named (their 收银台 is empty).
class ReportTill {
  public:
    static constexpr const char* allTills = "全部收银台";
    static constexpr const char* unrecorded = "（未记录）";

    static ReportTill all() { return ReportTill(Kind::All, {}); }
    static ReportTill none() { return ReportTill(Kind::Unrecorded, {}); }
    static ReportTill named(std::string name) { return ReportTill(Kind::Named, std::move(name)); }

    // What the drop-down offers: every till first, then the tills found in
    // the orders by name, then the unnamed orders when there are any.
    static ReadResult<std::vector<ReportTill>> choices(Database& db);

    bool isAll() const { return m_kind == Kind::All; }
    // The drop-down's text: "全部收银台", the till's name or "（未记录）".
    std::string label() const;
    // A report's title naming the till, so a printed or exported sheet says
    // whose figures it holds; every till's title stays as it is.
    std::string title(const std::string& report) const;
    // The condition on 存单's till column (named by `column`), for either
    // engine and the Access dialect alike; empty for every till.
    std::string condition(const std::string& column) const;

    bool operator==(const ReportTill&) const = default;

  private:
    enum class Kind { All, Unrecorded, Named };
    ReportTill(Kind kind, std::string name) : m_kind(kind), m_name(std::move(name)) {}

    Kind m_kind;
    std::string m_name;
};
