#pragma once
#include <string>

class Database;

// Named text values in the table 记录.
class SettingsStore {
  public:
    explicit SettingsStore(Database& db) : m_db(db) {}

    std::string get(const std::string& key, const std::string& defaultValue) const;
    bool exists(const std::string& key) const;
    // Each false when the database refused the statement.
    bool update(const std::string& key, const std::string& value);
    bool insert(const std::string& key, const std::string& value);
    bool set(const std::string& key, const std::string& value);

    // A store without "字体大小" is new: it gets the order defaults and the
    // first receipt keys.
    void seedFirstStart();

  private:
    Database& m_db;
};
