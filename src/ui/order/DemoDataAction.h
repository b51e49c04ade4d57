#pragma once
#include "orders/DemoDataGenerator.h"

class Clock;
class Database;
class QWidget;

// The main window's "生成销售随机数据": refuses what cannot work, asks, then
// generates the current year behind a progress dialog that can cancel it.
class DemoDataAction {
  public:
    // True when orders were stored, so that the caller refreshes its counters.
    static bool run(QWidget* parent, Database& db, std::vector<DemoDataGenerator::Dish> dishes,
                    std::vector<std::string> tables, const Clock& clock);
};
