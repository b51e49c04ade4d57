#pragma once

class Database;

// All or nothing: statements between construction and commit() are stored
// together, and a guard that goes out of scope uncommitted rolls them back.
// Made inside another transaction, it joins that one, which then decides.
class DbTransaction {
  public:
    explicit DbTransaction(Database& db);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    bool started() const { return m_started; }
    bool commit();

  private:
    Database& m_db;
    bool m_joined;
    bool m_started;
    bool m_done = false;
};
