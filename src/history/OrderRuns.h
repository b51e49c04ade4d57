#pragma once
#include "history/HistoryFilter.h"
#include "storage/engine/ReadResult.h"
#include "storage/values/Money.h"

#include <optional>
#include <vector>

class Database;

// The orders a filter matches, counted per run of IDs from the sums kept per
// run, day and till: the totals of every filter those sums allow, and the ID
// of the order of any rank without stepping through the orders before it.
class OrderRuns {
  public:
    struct Run {
        long long run = 0;
        long long count = 0;
        Money paid;
        Money total;
    };

    // Only for a filter with kept sums (HistoryFilter::kept is not None).
    static ReadResult<OrderRuns> read(Database& db, const HistoryFilter& filter);

    long long count() const;
    Money paid() const;
    Money total() const;
    // Where the matching order ranked `rank` lies, the lowest ID being rank 1:
    // the IDs of its run, from `first` up to but not including `end`, and its
    // rank among the matching orders of that run. None past the last.
    struct Position {
        long long first = 0;
        long long end = 0;
        long long rank = 0;
    };
    std::optional<Position> find(long long rank) const;

    // The statement that reads the runs in ID order.
    static std::string runsStatement(const HistoryFilter& filter);

  private:
    OrderRuns(HistoryFilter filter, std::vector<Run> runs)
        : m_filter(std::move(filter)), m_runs(std::move(runs)) {}
    ReadResult<bool> correctAt(Database& db, const DateTime& midnight, int sign);
    Run& runOf(long long id);

    HistoryFilter m_filter;
    std::vector<Run> m_runs; // in run order
};
