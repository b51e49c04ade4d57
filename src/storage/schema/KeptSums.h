#pragma once
#include "storage/schema/Schema.h"
#include <string>
#include <vector>

// Sums of the stored orders kept per day, so that the history totals and the
// reports never add up a period's rows again: per order day (count, amounts,
// dine-in and take-out), per order day and payment method, per sale day and
// dish, and per run of order IDs, order day and till (so that the history
// finds the order of a given rank without stepping through those before
// it). Amounts are whole fen. The engine keeps them itself, in the statement
// that changes the rows (triggers), so every way an order is settled,
// edited, deleted, imported or generated keeps them alike.
//
// A day is the date part of the order's (or line's) time as the reports key
// it; rows without a time are kept under the empty day. Rows whose counts
// went back to zero stay and are skipped by readers. They are no tables of
// the order database: copies, imports and restores never carry them over.
namespace KeptSums {

inline constexpr const char* days = "日汇总";
inline constexpr const char* payments = "日支付汇总";
inline constexpr const char* dishes = "日菜品汇总";
inline constexpr const char* runs = "段汇总";
// Orders with IDs n*runLength to (n+1)*runLength-1 form run n.
inline constexpr int runLength = 1024;

const std::vector<TableDef>& tables();

// Tables and unique keys created when missing, triggers made anew (SQLite).
std::string fileSql();
// The same for a server: tables, keys, trigger functions and triggers. The
// sums are added with an upsert of deltas, so tills that store at once each
// add their own and none is lost.
std::string serverSql();
// The statements that empty the sums and add them up again from the rows;
// the same text on both engines.
std::vector<std::string> rebuildStatements();
// One row per kept sum that differs from the rows (both ways): its table and
// key. Empty when the kept sums are right. The same text on both engines.
std::string differencesSql();

} // namespace KeptSums
