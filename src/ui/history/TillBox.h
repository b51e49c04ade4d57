#pragma once
#include <QComboBox>

#include <optional>
#include <string>

class Database;

// "收银台": every till, or one of those that took the stored orders. Orders
// stored before tills were named are offered as one more till.
class TillBox : public QComboBox {
  public:
    TillBox(Database& db, QWidget* parent);

    // None: every till.
    std::optional<std::string> till() const;

    static constexpr const char* everyTill = "全部收银台";
};
