#pragma once
#include "catalogue/ListOutcome.h"
#include "catalogue/ListRows.h"
#include "catalogue/Station.h"
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// The kitchen stations of 出品部门 and the station window's working copy of
// them. A station's name is also on the dishes it makes (菜单.出品部门), so a
// rename or a deletion reaches them in the same transaction.
class StationList {
  public:
    enum Column { Name = 1, Connection = 2, Mode = 3, Copies = 4, PaperWidth = 5 };
    static constexpr int maximumCopies = 9;

    explicit StationList(Database& db) : m_db(db) {}

    ReadResult<std::vector<Station>> stations() const;
    ReadResult<ListRows> load() const;
    // Success leaves the new row to be appended at outcome.row.
    [[nodiscard]] ListOutcome add(const Station& station, const ListRows& shown);
    // The station shown as `oldName` takes the new fields; its dishes follow a new name.
    [[nodiscard]] ListOutcome modify(const std::string& oldName, const Station& station,
                                     const ListRows& shown);
    // How many dishes go to the station.
    ReadResult<long long> dishCount(const std::string& name) const;
    // Deletes the station and takes it off its dishes.
    [[nodiscard]] bool remove(const std::string& name);

    // `dishes` below 0: they could not be counted.
    static std::string deleteQuestion(const std::string& name, long long dishes);
    // The station as typed: name trimmed, the connection in its stored form
    // when it names a printer. `refusal` says why the fields make no station.
    struct Input {
        Station station;
        std::string refusal;
    };
    static Input fromFields(const std::string& name, const std::string& connection,
                            const std::string& mode, const std::string& copies,
                            const std::string& paperWidth);
    static ListRow toRow(const Station& station);
    static Station fromRow(const ListRow& row);

  private:
    // Why the station cannot be stored here, or nothing.
    std::string refusal(const Station& station) const;

    Database& m_db;
};
