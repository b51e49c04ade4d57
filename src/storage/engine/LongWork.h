#pragma once

class Database;

// While it lives, the server gives each statement of long work (a
// conversion, a restore, an import, a report over years) the longer time
// limit; a cashier's actions keep the short one.
class LongWork {
  public:
    explicit LongWork(Database& db);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

  private:
    Database& m_db;
};
