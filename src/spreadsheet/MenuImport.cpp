#include "spreadsheet/MenuImport.h"

#include "catalogue/LetterCode.h"
#include "storage/engine/Database.h"
#include "storage/values/Values.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace {

using Kind = MenuImport::Kind;

struct StoredDish {
    long long id;
    DishInput dish;
};

// A leading apostrophe keeps a CSV cell from being read as a formula; it is
// not part of the value.
std::string cellValue(const std::vector<std::string>& row, int column) {
    if (column < 0 || column >= static_cast<int>(row.size()))
        return {};
    const std::string& text = row[column];
    if (text.size() > 1 && text[0] == '\'' &&
        std::string("=+-@").find(text[1]) != std::string::npos)
        return text.substr(1);
    return text;
}

bool isBlankRow(const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(),
                       [](const std::string& cell) { return Values::trim(cell).empty(); });
}

struct Columns {
    int code = -1, letters = -1, name = -1, price = -1, unit = -1, station = -1;
};

std::optional<Columns> findColumns(const std::vector<std::string>& headings, std::string& problem) {
    Columns columns;
    const auto& names = MenuImport::headings();
    const std::pair<const std::string&, int*> wanted[] = {
        {names[0], &columns.code},  {names[1], &columns.letters}, {names[2], &columns.name},
        {names[3], &columns.price}, {names[4], &columns.unit},    {names[5], &columns.station}};
    for (int i = 0; i < static_cast<int>(headings.size()); ++i)
        for (const auto& [heading, column] : wanted)
            if (*column < 0 && Values::trim(headings[i]) == heading)
                *column = i;
    std::string missing;
    for (const auto& [heading, column] : wanted)
        if (*column < 0 && column != &columns.letters && column != &columns.station)
            missing += (missing.empty() ? "" : "、") + std::string(heading);
    if (missing.empty())
        return columns;
    problem = "文件的第一行没有找到这些列：" + missing +
              "。第一行应是列名：数字代号、字母代号、菜名、价格、单位。";
    return std::nullopt;
}

std::string changes(const DishInput& was, const DishInput& now) {
    std::string note;
    auto compare = [&](const char* what, const std::string& before, const std::string& after) {
        if (before != after)
            note += (note.empty() ? "" : "；") + std::string(what) + "：" + before + " → " + after;
    };
    compare("字母代号", was.letters, now.letters);
    compare("菜名", was.name, now.name);
    compare("价格", was.priceText(), now.priceText());
    compare("单位", was.unit, now.unit);
    compare("出品部门", was.station, now.station);
    return note;
}

// What the catalogue holds now, looked up by code and by name (first row of each).
struct Catalogue {
    std::vector<StoredDish> dishes;
    std::map<std::string, std::size_t> byCode, byName;
    // Codes of digits with leading zeros, by the number they stand for.
    std::multimap<std::string, std::size_t> byPaddedNumber;
    std::set<std::string> units;
    std::set<std::string> stations;
};

bool isDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string withoutLeadingZeros(const std::string& digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// A spreadsheet keeps a code such as 001 typed into a number cell as 1: read
// it as the catalogue's code when exactly one dish's code pads to it.
std::string paddedCode(const Catalogue& catalogue, const std::string& code) {
    if (!isDigits(code) || catalogue.byCode.count(code))
        return {};
    const auto [first, last] = catalogue.byPaddedNumber.equal_range(withoutLeadingZeros(code));
    if (first == last || std::next(first) != last)
        return {};
    return catalogue.dishes[first->second].dish.code;
}

// A catalogue that cannot be read is never taken for an empty one: every
// dish of the file would then be added a second time.
ReadResult<Catalogue> loadCatalogue(Database& db) {
    const ReadResult<Rows> dishes =
        db.read("select ID,代码,字母,菜名,价格,单位,出品部门 from 菜单 order by [id]");
    if (!dishes)
        return dishes.readFailure();
    const ReadResult<Rows> units = db.read("select 单位名称 from 单位");
    if (!units)
        return units.readFailure();
    const ReadResult<Rows> stations = db.read("select 名称 from 出品部门");
    if (!stations)
        return stations.readFailure();
    Catalogue catalogue;
    for (const Rows::Row row : *dishes) {
        DishInput dish{row.at(1).toText(),   row.at(2).toText(), row.at(3).toText(),
                       row.at(4).toNumber(), row.at(5).toText(), {},
                       row.at(6).toText()};
        catalogue.byCode.emplace(dish.code, catalogue.dishes.size());
        catalogue.byName.emplace(dish.name, catalogue.dishes.size());
        if (isDigits(dish.code) && dish.code.front() == '0')
            catalogue.byPaddedNumber.emplace(withoutLeadingZeros(dish.code),
                                             catalogue.dishes.size());
        catalogue.dishes.push_back({static_cast<long long>(row.at(0).toNumber()), std::move(dish)});
    }
    for (const Rows::Row row : *units)
        catalogue.units.insert(row.at(0).toText());
    for (const Rows::Row row : *stations)
        catalogue.stations.insert(row.at(0).toText());
    return catalogue;
}

// The file's rows already accepted, by code and by name, with their line.
struct Accepted {
    std::map<std::string, int> codes, names;
};

void classify(MenuImport::Entry& entry, const Catalogue& catalogue, const Accepted& accepted,
              bool withStations) {
    const DishInput& dish = entry.dish;
    entry.note = DishCatalogue::fieldRefusal(dish);
    if (!entry.note.empty())
        return;
    if (!dish.station.empty() && !catalogue.stations.count(dish.station)) {
        entry.note = "没有出品部门“" + dish.station + "”。";
        return;
    }
    std::string padding;
    if (std::string code = paddedCode(catalogue, dish.code); !code.empty()) {
        padding = "数字代号" + dish.code + "按菜单中的" + code + "读取。";
        entry.dish.code = std::move(code);
    }
    if (auto found = accepted.codes.find(dish.code); found != accepted.codes.end()) {
        entry.note = "数字代号与第" + std::to_string(found->second) + "行重复。";
        return;
    }
    if (auto found = accepted.names.find(dish.name); found != accepted.names.end()) {
        entry.note = "菜名与第" + std::to_string(found->second) + "行重复。";
        return;
    }
    const auto sameCode = catalogue.byCode.find(dish.code);
    const auto sameName = catalogue.byName.find(dish.name);
    if (sameName != catalogue.byName.end() &&
        (sameCode == catalogue.byCode.end() || sameName->second != sameCode->second)) {
        entry.note = "菜名已经存在，不能重复添加。";
        return;
    }
    if (sameCode == catalogue.byCode.end()) {
        entry.kind = Kind::Add;
        if (dish.letters.empty())
            entry.dish.letters =
                LetterCode::deriveLetterCode(dish.name).substr(0, MenuImport::lettersWidth);
        return;
    }
    const StoredDish& stored = catalogue.dishes[sameCode->second];
    // A file without letter codes keeps the ones the shop gave its dishes,
    // and one without stations the dishes' stations.
    if (dish.letters.empty())
        entry.dish.letters = stored.dish.letters;
    if (!withStations)
        entry.dish.station = stored.dish.station;
    entry.id = stored.id;
    const std::string changed = changes(stored.dish, dish);
    entry.kind = changed.empty() ? Kind::Same : Kind::Change;
    entry.note = padding + changed;
}

} // namespace

const std::vector<std::string>& MenuImport::headings() {
    static const std::vector<std::string> names = {"数字代号", "字母代号", "菜名",
                                                   "价格",     "单位",     "出品部门"};
    return names;
}

int MenuImport::Preview::count(Kind kind) const {
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [kind](const Entry& e) { return e.kind == kind; }));
}

MenuImport::Preview MenuImport::preview(const SheetTable& table, const Progress& progress) const {
    Preview preview;
    auto row = std::find_if_not(table.begin(), table.end(), isBlankRow);
    if (row == table.end()) {
        preview.problem = "文件中没有可以导入的菜品。";
        return preview;
    }
    const auto columns = findColumns(*row, preview.problem);
    if (!columns)
        return preview;
    const ReadResult<Catalogue> read = loadCatalogue(m_db);
    if (!read) {
        preview.problem = read.message("读取现有菜单", "没有导入任何菜品。");
        return preview;
    }
    const Catalogue& catalogue = *read;
    Accepted accepted;
    const auto total = static_cast<long long>(table.size());
    for (++row; row != table.end(); ++row) {
        const long long done = row - table.begin();
        if (done % 256 == 0 && progress && !progress(done, total)) {
            preview.cancelled = true;
            return preview;
        }
        if (isBlankRow(*row))
            continue;
        Entry entry;
        entry.line = static_cast<int>(row - table.begin()) + 1;
        entry.dish = DishInput::fromFields(
            cellValue(*row, columns->code), cellValue(*row, columns->letters),
            cellValue(*row, columns->name), cellValue(*row, columns->price),
            Values::trim(cellValue(*row, columns->unit)), cellValue(*row, columns->station));
        classify(entry, catalogue, accepted, columns->station >= 0);
        if (entry.kind != Kind::Refused) {
            accepted.codes.emplace(entry.dish.code, entry.line);
            accepted.names.emplace(entry.dish.name, entry.line);
        }
        const bool stored = entry.kind == Kind::Add || entry.kind == Kind::Change;
        if (stored && !catalogue.units.count(entry.dish.unit) &&
            std::find(preview.newUnits.begin(), preview.newUnits.end(), entry.dish.unit) ==
                preview.newUnits.end())
            preview.newUnits.push_back(entry.dish.unit);
        preview.entries.push_back(std::move(entry));
    }
    if (preview.entries.empty())
        preview.problem = "文件中没有可以导入的菜品。";
    return preview;
}

WriteResult MenuImport::apply(const Preview& preview, const Progress& progress) {
    std::vector<DishCatalogue::MenuChange> changes;
    for (const auto& entry : preview.entries)
        if (entry.kind == Kind::Add || entry.kind == Kind::Change)
            changes.push_back({entry.kind == Kind::Change ? entry.id : 0, entry.dish});
    switch (DishCatalogue(m_db).storeMenu(preview.newUnits, changes, progress)) {
    case DishCatalogue::MenuStored::Stored:
        return WriteResult::Written;
    case DishCatalogue::MenuStored::Cancelled:
        return WriteResult::Cancelled;
    case DishCatalogue::MenuStored::Failed:
        break;
    }
    return WriteResult::Failed;
}

std::string MenuImport::summary(const Preview& preview) {
    std::string text = "新增" + std::to_string(preview.count(Kind::Add)) + "项，修改" +
                       std::to_string(preview.count(Kind::Change)) + "项，不变" +
                       std::to_string(preview.count(Kind::Same)) + "项，不能导入" +
                       std::to_string(preview.count(Kind::Refused)) + "项。";
    if (!preview.newUnits.empty()) {
        text += "将新增计量单位：";
        for (std::size_t i = 0; i < preview.newUnits.size(); ++i)
            text += (i ? "、" : "") + preview.newUnits[i];
        text += "。";
    }
    return text;
}
