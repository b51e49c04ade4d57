#pragma once
#include "storage/engine/ReadResult.h"
#include "storage/values/DateTime.h"

#include <map>
#include <string>

class Database;

// Dishes the kitchen has run out of (估清), or has only so many of left, on
// one day. The day is the order numbering's: an order at 00:00 belongs to the
// day before, and marks lapse when the day changes. Tills sharing a server
// count one remainder down together: every change runs in a transaction,
// which holds the right to write, so none goes below zero.
class SoldOut {
  public:
    // Dish name -> how many are left; 0 is sold out.
    using Marks = std::map<std::string, int>;
    // Dish name -> how many an order takes.
    using Quantities = std::map<std::string, int>;

    explicit SoldOut(Database& db) : m_db(db) {}

    // The day an order of `time` belongs to.
    static DateTime dayOf(const DateTime& time);

    ReadResult<Marks> marks(const DateTime& day);
    // Sets how many of `dish` are left on `day`, 0 for sold out.
    [[nodiscard]] bool mark(const std::string& dish, int left, const DateTime& day);
    // The dish is sold as usual again.
    [[nodiscard]] bool unmark(const std::string& dish, const DateTime& day);

    // Inside the caller's transaction: takes `quantities` off the marked
    // dishes of `day`. Empty, or why not ("“菜名”今日只剩 1 份，订单点了 2 份"),
    // for the caller to end; its rollback then undoes what was taken.
    std::string take(const Quantities& quantities, const DateTime& day);
    // Inside the caller's transaction: gives `quantities` back to the marked
    // dishes of `day` (a deleted order, the old lines of an edited one).
    [[nodiscard]] bool giveBack(const Quantities& quantities, const DateTime& day);

    // Inside the caller's transaction: gives back what stored order `id`
    // took, before it is deleted or replaced. False when it could not.
    [[nodiscard]] bool giveBackOrder(long long id);

    // What entering `dish` into an order meets: nothing, a question (so
    // many left) or a refusal (none left), with its text.
    enum class Entry { Free, Ask, Refused };
    static std::pair<Entry, std::string> entry(const Marks& marks, const std::string& dish);

    // How a mark reads beside the dish: "估清" or "剩2".
    static std::string label(int left);

  private:
    std::string dayText(const DateTime& day) const { return day.dateOnly().canonical(); }

    Database& m_db;
};
