#pragma once
#include "storage/engine/ReadResult.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class Database;

// Named text values in the table 记录.
class SettingsStore {
  public:
    explicit SettingsStore(Database& db) : m_db(db) {}

    std::string get(const std::string& key, const std::string& defaultValue) const;
    // Whether the key has a row; a failed read says so and is never "no".
    ReadResult<bool> exists(const std::string& key) const;
    // False when the statement failed; Database::lastFailure() says why.
    bool update(const std::string& key, const std::string& value);
    bool insert(const std::string& key, const std::string& value);
    // Refuses, before any statement, a value longer than the column takes.
    bool set(const std::string& key, const std::string& value);
    // Sets every pair in one transaction: all of them are stored, or none.
    bool setAll(const std::vector<std::pair<std::string, std::string>>& values);
    // Runs `writes` in one transaction, kept only when they return true.
    bool allOrNothing(const std::function<bool()>& writes);
    // Why the last write failed: "<what>失败：<reason>。设置没有改动。", the
    // reason naming the setting and its length when set() refused it.
    std::string failureMessage(const std::string& what) const;

    // A store without "字体大小" is new: it gets the order defaults and the
    // first receipt keys, all of them or none; none when it cannot be read.
    bool seedFirstStart();

  private:
    Database& m_db;
    std::string m_refusal;
};
