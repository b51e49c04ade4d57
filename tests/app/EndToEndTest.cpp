#include "storage/Database.h"
#include "support/TestApplication.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// Bounds every wait, so that a program that hangs fails the test instead of
// stalling the suite; nothing here measures speed.
constexpr int patienceMs = 60000;

// The program copied alone into a folder of its own, under a name no other
// run of the suite uses, so that the single-instance rule leaves it alone.
class Installation {
  public:
    explicit Installation(const QString& name) {
        m_exe = m_folder.filePath(name + QString::number(QCoreApplication::applicationPid()));
        QFile::copy(QStringLiteral(TABLEWISE_EXE), m_exe);
        QFile::setPermissions(m_exe, QFile::permissions(m_exe) | QFile::ExeOwner);
        m_process.setProgram(m_exe);
        m_process.setWorkingDirectory(QDir::tempPath());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(env);
    }
    ~Installation() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(patienceMs);
        }
    }

    void start() { m_process.start(); }
    QString database() const { return m_folder.filePath(QStringLiteral("data/data.mdb")); }

    // Waits until the program has seeded its settings.
    bool waitUntilSeeded() {
        const QDeadlineTimer deadline(patienceMs);
        while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            if (QFile::exists(database()) && QFile(database()).size() > 0 && hasKey("字体大小"))
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
    // Asks the program to end as a shutdown does; returns its exit code.
    int terminate() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(patienceMs))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
    }

    bool hasKey(const std::string& key) const {
        Database db;
        if (!db.NewOpenDatabase(Database::primaryConnectionText(database().toStdString(), "tw")))
            return false;
        const int rs = db.OpenTable("Select 记录内容 from 记录 where 记录内容='" + key + "'");
        const bool found = db.ReadColByIndex(rs, 1).toText() == key;
        db.CloseTable(rs);
        return found;
    }
    int count(const std::string& table) const {
        Database db;
        db.NewOpenDatabase(Database::primaryConnectionText(database().toStdString(), "tw"));
        const int rs = db.OpenTable("select count(*) from " + table);
        const int n = db.ReadColByIndex(rs, 1).toInt();
        db.CloseTable(rs);
        return n;
    }
    bool hasDataFolder() const { return QDir(m_folder.filePath(QStringLiteral("data"))).exists(); }

  private:
    QTemporaryDir m_folder;
    QString m_exe;
    QProcess m_process;
    QByteArray m_output;
};

} // namespace

TEST(EndToEnd, TheProgramAloneInAnEmptyFolderMakesAWorkingInstallation) {
    ensureTestApplication();
    Installation install(QStringLiteral("tablewise_e2e_"));
    install.start();
    ASSERT_TRUE(install.waitUntilSeeded());
    EXPECT_EQ(install.terminate(), 0);

    EXPECT_EQ(install.count("菜单"), 28);
    EXPECT_EQ(install.count("桌号"), 18);
    EXPECT_EQ(install.count("店名"), 5);
    for (const char* key : {"小票类型", "设置类型", "字体大小", "勾选加粗", "票头", "店铺名称"})
        EXPECT_TRUE(install.hasKey(key)) << key;
    // Written when the main window closed.
    for (const char* key : {"减免", "付款方式"})
        EXPECT_TRUE(install.hasKey(key)) << key;
}

TEST(EndToEnd, ASecondCopyUnderTheSameNameIsRefusedAnotherNameStarts) {
    ensureTestApplication();
    Installation first(QStringLiteral("tablewise_one_"));
    first.start();
    ASSERT_TRUE(first.waitUntilSeeded());

    Installation second(QStringLiteral("tablewise_one_"));
    second.start();
    EXPECT_TRUE(second.waitForOutput("程序正在运行，无法重复打开！"));
    EXPECT_EQ(second.terminate(), 1);
    EXPECT_FALSE(second.hasDataFolder());

    Installation other(QStringLiteral("tablewise_two_"));
    other.start();
    EXPECT_TRUE(other.waitUntilSeeded());
    EXPECT_EQ(other.terminate(), 0);
    EXPECT_EQ(first.terminate(), 0);
}
