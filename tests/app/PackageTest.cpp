#include "ProgramProcess.h"
#include "support/TestApplication.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString appId = QStringLiteral(TABLEWISE_APP_ID);

struct Result {
    int exitCode = -1;
    QString output;
};

Result run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(5 * patienceMs) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromUtf8(process.readAll())};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// The package is installed on this machine, so the test runs only as root
// (as CI does), and one run at a time: other checkouts may run it too.
class Package : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "installs a Debian package: runs as root only";
        ensureTestApplication();
        m_lock =
            ::open(QDir::temp().filePath("tablewise-package-test.lock").toLocal8Bit().constData(),
                   O_CREAT | O_RDWR | O_CLOEXEC, 0600);
        ASSERT_EQ(::flock(m_lock, LOCK_EX), 0);
    }
    void TearDown() override {
        if (m_installed)
            run("dpkg", {"-r", "tablewise"});
        if (m_lock >= 0)
            ::close(m_lock);
    }

    QString buildPackage() {
        const Result packed = run("cpack", {"--config", TABLEWISE_BUILD_DIR "/CPackConfig.cmake",
                                            "-B", m_packages.path()});
        EXPECT_EQ(packed.exitCode, 0) << packed.output.toStdString();
        const QStringList debs = QDir(m_packages.path()).entryList({"tablewise_*.deb"});
        return debs.size() == 1 ? m_packages.filePath(debs.first()) : QString();
    }
    bool install(const QString& deb) {
        const Result installed = run("dpkg", {"-i", deb});
        m_installed = installed.exitCode == 0;
        EXPECT_EQ(installed.exitCode, 0) << installed.output.toStdString();
        return m_installed;
    }
    bool remove() {
        m_installed = run("dpkg", {"-r", "tablewise"}).exitCode != 0;
        return !m_installed;
    }

    int m_lock = -1;
    bool m_installed = false;
    QTemporaryDir m_packages;
};

// A home folder owned by the unprivileged user `nobody`.
class NobodysHome {
  public:
    NobodysHome() : m_user(getpwnam("nobody")) {
        if (m_user)
            EXPECT_EQ(
                ::chown(m_folder.path().toLocal8Bit().constData(), m_user->pw_uid, m_user->pw_gid),
                0);
    }
    uid_t uid() const { return m_user ? m_user->pw_uid : 0; }
    QString path() const { return m_folder.path(); }
    QString dataFolder() const { return m_folder.filePath(".local/share/Tablewise"); }
    QString database() const { return dataFolder() + "/data/data.mdb"; }
    // The installed program, started as `nobody` with nothing but a home.
    ProgramProcess program() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"})
            environment.remove(name);
        environment.insert("HOME", path());
        return ProgramProcess("setpriv",
                              {"--reuid=" + QString::number(uid()),
                               "--regid=" + QString::number(m_user ? m_user->pw_gid : 0),
                               "--clear-groups", "/usr/bin/tablewise"},
                              environment, path());
    }

  private:
    const passwd* m_user;
    QTemporaryDir m_folder;
};

struct stat statusOf(const QString& file) {
    struct stat info = {};
    ::stat(file.toLocal8Bit().constData(), &info);
    return info;
}

} // namespace

TEST_F(Package, InstallsAMenuEntryKeepsEachUsersDataAndLeavesItOnRemoval) {
    const QString deb = buildPackage();
    ASSERT_FALSE(deb.isEmpty());

    const std::pair<const char*, const char*> fields[] = {
        {"Package", "tablewise"},
        {"Version", "3.0"},
        {"Section", "misc"},
        {"Maintainer", "@"},
        {"Depends", "libqt6widgets6"},
        {"Depends", "libsqlite3-0"},
        {"Depends", "fonts-wqy-zenhei"},
        {"Description", "restaurant"},
        {"Description", "收银助手"},
    };
    for (const auto& [field, expected] : fields)
        EXPECT_TRUE(
            run("dpkg-deb", {"-f", deb, field}).output.contains(QString::fromUtf8(expected)))
            << field << " lacks " << expected;

    const QString files = run("dpkg-deb", {"-c", deb}).output;
    const QString icons = "./usr/share/icons/hicolor/";
    for (const QString& file :
         {QString("./usr/bin/tablewise"), "./usr/share/applications/" + appId + ".desktop",
          "./usr/share/metainfo/" + appId + ".metainfo.xml",
          icons + "scalable/apps/" + appId + ".svg", icons + "48x48/apps/" + appId + ".png",
          icons + "64x64/apps/" + appId + ".png", icons + "128x128/apps/" + appId + ".png",
          icons + "256x256/apps/" + appId + ".png", QString("./usr/share/doc/tablewise/copyright"),
          QString("./usr/share/doc/tablewise/changelog.gz"),
          QString("./usr/share/man/man1/tablewise.1.gz")})
        EXPECT_TRUE(files.contains(file + '\n')) << file.toStdString();

    // Debian's own judge of a package: neither errors nor warnings.
    const Result lint = run("lintian", {"--allow-root", deb});
    EXPECT_NE(lint.exitCode, -1) << "lintian did not run";
    for (const QString& line : lint.output.split('\n'))
        EXPECT_FALSE(line.startsWith("E: ") || line.startsWith("W: ")) << line.toStdString();

    ASSERT_TRUE(install(deb));
    for (const auto& check :
         {run("desktop-file-validate", {"/usr/share/applications/" + appId + ".desktop"}),
          run("appstreamcli",
              {"validate", "--no-net", "/usr/share/metainfo/" + appId + ".metainfo.xml"})})
        EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();

    // The executable's folder is not writable for the user: the data goes home.
    NobodysHome home;
    ASSERT_NE(home.uid(), 0u);
    ProgramProcess program = home.program();
    program.start();
    ASSERT_TRUE(program.waitUntilSeeded(home.database()));
    EXPECT_EQ(program.terminate(), 0);
    expectFirstRunData(home.database());
    EXPECT_EQ(statusOf(home.database()).st_uid, home.uid());
    EXPECT_EQ(statusOf(home.dataFolder()).st_mode & 0777, 0700u);
    EXPECT_FALSE(QFileInfo::exists("/usr/bin/data"));

    ASSERT_TRUE(remove());
    EXPECT_FALSE(QFileInfo::exists("/usr/bin/tablewise"));
    EXPECT_TRUE(QFileInfo::exists(home.database()));
}
