#pragma once
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "storage/values/DateTime.h"

class Database;
class DishCache;
class TableCache;

// Fills the order tables with a year of invented orders, written by the
// order store as settlements are, so that the history and the reports have
// something to show. Every invented order is marked 演示, none is dated after
// the database's clock, and each run and each removal leaves one change record.
class DemoDataGenerator {
  public:
    struct Dish {
        std::string name;
        std::string price; // as the catalogue holds it
        std::string unit;
    };

    // refusalMessage reads a table in this order: a new refusal goes last, with its message.
    enum class Refusal { None, NoPricedDish, NowhereToServe, CustomersUnread };

    // Called after every generated day; returning false stops the run and
    // leaves the database as it was.
    using Progress = std::function<bool(int daysDone, int daysInYear)>;

    DemoDataGenerator(Database& db, std::vector<Dish> dishes, std::vector<std::string> tables);

    // The catalogue and the tables as order entry holds them.
    static std::vector<Dish> dishesOf(const DishCache& dishes);
    static std::vector<std::string> tablesOf(const TableCache& tables);

    // Loads the customer file and says whether a run could reach its targets.
    Refusal prepare();
    static std::string refusalMessage(Refusal refusal);

    // Generates every day of the year up to now in one transaction; false
    // when it was stopped or a row could not be stored, and then nothing is kept.
    bool generate(int year, unsigned seed, const Progress& progress = {});

    // The orders the database holds: all of them, or the invented ones.
    static long long orderCount(Database& db, bool demoOnly);
    // Deletes every invented order with its lines in one transaction, with
    // one change record; the number deleted, or -1 when nothing was.
    static long long removeDemoOrders(Database& db);
    // Why the last run stored nothing; empty when it was stopped or stored.
    const std::string& failure() const { return m_failure; }

    int ordersWritten() const { return m_ordersWritten; }

  private:
    struct Customer {
        std::string phone, name, address;
    };
    struct PricedDish {
        std::string name, unit;
        double price;
    };

    int random(int low, int high);
    void generateDay(int year, int month, int day);
    // An order drawn for a time after now is drawn all the same, so that
    // the orders before it come out as they would, but not stored.
    double generateOrder(const std::string& time, int number, bool stored);
    // The order and its lines, or nothing: an order without its lines would
    // count in the income but not the sales.
    bool store(const std::string& time, int number, double sum, const std::string& table,
               const Customer& customer, const std::vector<const PricedDish*>& lines);
    void fail();

    Database& m_db;
    std::vector<PricedDish> m_pricedDishes;
    std::vector<std::string> m_tables;
    std::vector<Customer> m_customers;
    std::mt19937 m_random;
    DateTime m_now;
    int m_ordersWritten = 0;
    std::string m_failure;
};
