#pragma once
#include "orders/DemoDataGenerator.h"

class Clock;
class Database;
class QWidget;

// The main window's "生成销售随机数据": refuses what cannot work, asks (saying
// how many orders the books hold), asks for the manager password when one is
// set, copies the database into the backup folder, then generates the
// current year up to now behind a progress dialog that can cancel it. And
// "删除演示数据", which takes every invented order out again.
class DemoDataAction {
  public:
    // True when orders were stored, so that the caller refreshes its counters.
    static bool run(QWidget* parent, Database& db, std::vector<DemoDataGenerator::Dish> dishes,
                    std::vector<std::string> tables, const Clock& clock);
    // True when invented orders were deleted.
    static bool remove(QWidget* parent, Database& db);
};
