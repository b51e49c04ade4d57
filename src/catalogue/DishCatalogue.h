#pragma once
#include "catalogue/ListOutcome.h"
#include "catalogue/ListRows.h"
#include "storage/engine/ReadResult.h"

#include <functional>
#include <string>
#include <vector>

class Database;

// A dish as the add and modify windows read it from their fields.
struct DishInput {
    std::string code;
    std::string letters;
    std::string name;
    double price = 0;
    std::string unit;
    // Why the price as typed is no price, when it is not.
    std::string priceRefusal;
    // The kitchen station that makes it; empty: none.
    std::string station;

    // Code, letter code and name trimmed; the price read as a number and
    // rounded to one decimal; the unit as shown.
    static DishInput fromFields(const std::string& code, const std::string& letters,
                                const std::string& name, const std::string& priceText,
                                const std::string& unit, const std::string& station = {});
    std::string priceText() const;
    // The row of the catalogue window's list, which leaves the station to the dish window.
    ListRow toRow() const;
};

// The dish catalogue 菜单 and the catalogue window's list of it. The list is
// the window's working copy: checks are made against the rows it shows.
class DishCatalogue {
  public:
    enum Column { Code = 1, Letters = 2, Name = 3, Price = 4, Unit = 5, Station = 6 };

    explicit DishCatalogue(Database& db) : m_db(db) {}

    ReadResult<ListRows> loadDishList() const;
    // The rows of loadDishList() with each dish's station after the unit.
    ReadResult<ListRows> loadMenu() const;
    ReadResult<std::string> stationOf(const std::string& dishName) const;
    // Success leaves the new row to be appended at outcome.row.
    [[nodiscard]] ListOutcome addDish(const DishInput& dish, const ListRows& shown);
    // The dish is found by its name; success leaves outcome.row to be rewritten.
    [[nodiscard]] ListOutcome modifyDish(const DishInput& dish, const ListRows& shown);
    // Deletes the dish of the row, found by code and name together.
    [[nodiscard]] bool deleteDish(const ListRow& row);

    static std::string deleteQuestion(const ListRow& row);
    // Why the fields cannot make a dish (the first failing check), or nothing.
    static std::string fieldRefusal(const DishInput& dish);
    static std::string insertStatement(const DishInput& dish);
    // Why the dish cannot go to its station (there is no such station), or nothing.
    std::string stationRefusal(const DishInput& dish) const;

    // Far above any dish, and within what a receipt's price column shows.
    static constexpr double maximumPrice = 99999.9;

    // A dish a menu file adds (id 0) or rewrites (the dish with that id).
    struct MenuChange {
        long long id = 0;
        DishInput dish;
    };
    enum class MenuStored { Stored, Cancelled, Failed };
    // Told how many changes are stored; returning false cancels them all.
    using MenuProgress = std::function<bool(long long done, long long total)>;
    // The new units and every change in one transaction, or nothing at all.
    [[nodiscard]] MenuStored storeMenu(const std::vector<std::string>& newUnits,
                                       const std::vector<MenuChange>& changes,
                                       const MenuProgress& progress);

  private:
    Database& m_db;
};
