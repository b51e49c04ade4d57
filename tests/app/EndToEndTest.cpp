#include "ProgramProcess.h"
#include "support/TestApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The program copied alone into a folder of its own, under a name no other
// run of the suite uses, so that the single-instance rule leaves it alone.
class Installation {
  public:
    explicit Installation(const QString& name)
        : m_exe(m_folder.filePath(name + QString::number(QCoreApplication::applicationPid()))),
          m_process(m_exe, {}, QProcessEnvironment::systemEnvironment(), QDir::tempPath()) {
        QFile::copy(QStringLiteral(TABLEWISE_EXE), m_exe);
        QFile::setPermissions(m_exe, QFile::permissions(m_exe) | QFile::ExeOwner);
    }

    void start() { m_process.start(); }
    bool waitUntilSeeded() { return m_process.waitUntilSeeded(database()); }
    bool waitForOutput(const QByteArray& text) { return m_process.waitForOutput(text); }
    int terminate() { return m_process.terminate(); }

    QString database() const { return m_folder.filePath(QStringLiteral("data/data.mdb")); }
    bool hasDataFolder() const { return QDir(m_folder.filePath(QStringLiteral("data"))).exists(); }

  private:
    QTemporaryDir m_folder;
    QString m_exe;
    ProgramProcess m_process;
};

} // namespace

TEST(EndToEnd, TheProgramAloneInAnEmptyFolderMakesAWorkingInstallation) {
    ensureTestApplication();
    Installation install(QStringLiteral("tablewise_e2e_"));
    install.start();
    ASSERT_TRUE(install.waitUntilSeeded());
    EXPECT_EQ(install.terminate(), 0);

    expectFirstRunData(install.database());
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
