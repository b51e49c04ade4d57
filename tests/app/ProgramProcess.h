#pragma once
#include "storage/engine/Database.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <string>

// Bounds every wait, so that a program that hangs fails the test instead of
// stalling the suite; nothing here measures speed.
constexpr int patienceMs = 60000;

// Reads of a database file the program wrote.
inline bool databaseHasKey(const QString& file, const std::string& key) {
    Database db;
    if (!db.NewOpenDatabase(Database::primaryConnectionText(file.toStdString(), "tw")))
        return false;
    const int rs = db.OpenTable("Select 记录内容 from 记录 where 记录内容='" + key + "'");
    const bool found = db.ReadColByIndex(rs, 1).toText() == key;
    db.CloseTable(rs);
    return found;
}

inline int databaseCount(const QString& file, const std::string& table) {
    Database db;
    db.NewOpenDatabase(Database::primaryConnectionText(file.toStdString(), "tw"));
    const int rs = db.OpenTable("select count(*) from " + table);
    const int n = db.ReadColByIndex(rs, 1).toInt();
    db.CloseTable(rs);
    return n;
}

// What a first start and a close leave in the database: the template's rows,
// the seeded settings and the order defaults saved when the window closed.
inline void expectFirstRunData(const QString& database) {
    EXPECT_EQ(databaseCount(database, "菜单"), 28);
    EXPECT_EQ(databaseCount(database, "桌号"), 18);
    EXPECT_EQ(databaseCount(database, "店名"), 5);
    for (const char* key :
         {"小票类型", "设置类型", "字体大小", "勾选加粗", "票头", "店铺名称", "减免", "付款方式"})
        EXPECT_TRUE(databaseHasKey(database, key)) << key;
}

// The real program in a process of its own, offscreen, ended as a shutdown ends it.
class ProgramProcess {
  public:
    ProgramProcess(const QString& program, const QStringList& arguments,
                   QProcessEnvironment environment, const QString& workingFolder) {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.setWorkingDirectory(workingFolder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(environment);
    }
    ~ProgramProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(patienceMs);
        }
    }

    void start() { m_process.start(); }
    // Runs it to its end with `arguments`; the exit code, -1 when it did not end.
    int runWith(const QStringList& arguments, QByteArray& output) {
        m_process.setArguments(arguments);
        m_process.start();
        const bool ended = m_process.waitForFinished(patienceMs);
        output = m_process.readAllStandardOutput();
        m_process.setArguments({});
        return ended && m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    // Waits until the program has seeded its settings into `database`.
    bool waitUntilSeeded(const QString& database) {
        return waitUntil(
            [&] { return QFile(database).size() > 0 && databaseHasKey(database, "字体大小"); });
    }
    // Waits while the program runs until `condition` holds.
    template <typename Condition> bool waitUntil(const Condition& condition) {
        const QDeadlineTimer deadline(patienceMs);
        while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            if (condition())
                return true;
            QThread::msleep(50);
        }
        return false;
    }
    bool waitForOutput(const QByteArray& text) {
        const QDeadlineTimer deadline(patienceMs);
        while (!deadline.hasExpired()) {
            m_output += m_process.readAllStandardError();
            if (m_output.contains(text))
                return true;
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning)
                return m_output.contains(text);
        }
        return false;
    }
    // Ends it as a power cut or a crash does: at once, nothing saved.
    void kill() {
        m_process.kill();
        m_process.waitForFinished(patienceMs);
    }
    // Sends SIGTERM, as a shutdown does; returns the exit code.
    int terminate() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(patienceMs))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
    }

  private:
    QProcess m_process;
    QByteArray m_output;
};
