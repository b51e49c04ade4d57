#include "reports/ReportTill.h"

#include "storage/engine/TillList.h"
#include "storage/values/Values.h"

ReadResult<std::vector<ReportTill>> ReportTill::choices(Database& db) {
    const ReadResult<std::vector<std::string>> tills = TillList::read(db);
    if (!tills)
        return tills.readFailure();
    std::vector<ReportTill> found{all()};
    bool unnamed = false;
    for (const std::string& name : *tills) {
        unnamed = unnamed || name.empty();
        if (!name.empty())
            found.push_back(named(name));
    }
    if (unnamed)
        found.push_back(none());
    return found;
}

std::string ReportTill::label() const {
    switch (m_kind) {
    case Kind::All:
        return allTills;
    case Kind::Unrecorded:
        return unrecorded;
    case Kind::Named:
        break;
    }
    return m_name;
}

std::string ReportTill::title(const std::string& report) const {
    return isAll() ? report : report + " 收银台：" + label();
}

std::string ReportTill::condition(const std::string& column) const {
    switch (m_kind) {
    case Kind::All:
        return {};
    case Kind::Unrecorded:
        return "(" + column + " IS NULL OR " + column + "='')";
    case Kind::Named:
        break;
    }
    return column + "=" + Values::sqlQuote(m_name);
}
