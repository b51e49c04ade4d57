#pragma once
#include "storage/copies/AutomaticBackups.h"

#include <QString>

#include <functional>

class Clock;
struct BackupSummary;
class Database;
class QTimer;
class QWidget;

// The copies of the database for the order window: the automatic ones, taken
// on a thread of their own, a copy by hand, and restoring one.
class DataCopies {
  public:
    // `tellFailure` shows a failed automatic copy once; `restored` runs after
    // the window's database was swapped for a restored copy.
    DataCopies(Database& db, Clock& clock, QWidget* window,
               std::function<void(const QString&)> tellFailure, std::function<void()> restored);

    // At the first start of a day; a till left running overnight calls it
    // again on the new day.
    void startAutomaticBackup();
    // The program must not end with half a copy.
    void backUpOnClosing();
    void backUpByHand();  // "备份数据…"
    // Copies the database to `path` while the window keeps painting; why it
    // failed, or nothing.
    static std::string copyTo(Database& db, const std::string& path);
    void chooseRestore(); // "恢复数据…"
    // Checks the file, shows what it holds, asks, keeps the current database
    // in the backup folder and carries on with the restored one; false when
    // nothing changed.
    bool restoreFrom(const QString& path);
    // "导入本地数据…": a till's data file onto the server; false when nothing
    // was stored.
    bool importLocalData();
    bool importFrom(const QString& path);

  private:
    struct FileUse;
    static const FileUse importUse;
    static const FileUse restoreUse;

    void stepAutomaticBackup();
    bool agreesToUse(const FileUse& use, const QString& path, const BackupSummary& summary);
    // On a server: says where its copies are made; true when it said so.
    bool tellServerIsBackedUpThere(const QString& title);

    Database& m_db;
    Clock& m_clock;
    QWidget* m_window;
    std::function<void(const QString&)> m_tellFailure;
    std::function<void()> m_restored;
    AutomaticBackups m_backups;
    QTimer* m_timer;
};
