#pragma once
#include "storage/engine/ReadResult.h"

#include <cstddef>
#include <string>
#include <vector>

class Database;

struct Dish {
    std::string name;
    std::string price; // number text, as the result list and the subtotal read it
    std::string code;
    std::string letters;
    std::string unit;
};

// The in-memory copy of the dish catalogue that order entry searches and
// prices from; it changes only when reloaded.
class DishCache {
  public:
    // The number of dishes read; a failed read keeps the dishes there were.
    ReadResult<std::size_t> load(Database& db);
    void setDishes(std::vector<Dish> dishes) { m_dishes = std::move(dishes); }
    const std::vector<Dish>& dishes() const { return m_dishes; }

    // Indices of the dishes whose code or letter code contains the trimmed text
    // (case-sensitive); a dish matching by both is listed twice, code first.
    std::vector<int> search(const std::string& text) const;
    // First dish whose name equals the text exactly, or nullptr.
    const Dish* findByName(const std::string& name) const;

  private:
    std::vector<Dish> m_dishes;
};
