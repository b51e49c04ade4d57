#pragma once
#include "catalogue/DishCatalogue.h"
#include "spreadsheet/Progress.h"
#include "spreadsheet/SheetTable.h"

#include <string>
#include <vector>

class Database;

// A menu read from a spreadsheet, checked row by row against the catalogue
// with the rules of adding a dish by hand, then stored all at once.
class MenuImport {
  public:
    enum class Kind { Add, Change, Same, Refused };
    struct Entry {
        Kind kind = Kind::Refused;
        int line = 0; // the row's number in the file, from 1
        DishInput dish;
        std::string note; // why it is refused, or what it changes
        long long id = 0; // the dish a change rewrites
    };
    struct Preview {
        std::vector<Entry> entries;
        std::vector<std::string> newUnits; // added to the units list on import
        std::string problem;               // why the file cannot be imported at all
        bool cancelled = false;
        int count(Kind kind) const;
        bool anythingToStore() const { return count(Kind::Add) + count(Kind::Change) > 0; }
    };

    explicit MenuImport(Database& db) : m_db(db) {}

    // The first non-empty row names the columns 数字代号, 菜名, 价格, 单位 and,
    // optionally, 字母代号 and 出品部门, in any order; an empty letter code is
    // derived from the name, and without the 出品部门 column a changed dish
    // keeps its station. A dish whose code is in the catalogue is changed.
    Preview preview(const SheetTable& table, const Progress& progress = {}) const;
    // Every added and changed dish and every new unit, or nothing at all.
    WriteResult apply(const Preview& preview, const Progress& progress);

    static std::string summary(const Preview& preview);
    // The columns the heading row names, the letter codes' and stations' optional.
    static const std::vector<std::string>& headings();

    // Width of the catalogue's letter codes, in characters.
    static constexpr int lettersWidth = 16;

  private:
    Database& m_db;
};
