#include "printer/PrintSpooler.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using State = PrintJob::State;

constexpr const char* cupsd = "/usr/sbin/cupsd";

// A CUPS service of its own in a temporary folder, reached through a local
// socket there, with raw queues: one that prints, one stopped, one that
// refuses jobs. It keeps each job's document as it was received. Nothing of
// the system's CUPS is touched.
class CupsService {
  public:
    CupsService() {
        if (::access(cupsd, X_OK) != 0)
            return;
        for (const char* sub : {"spool", "cache", "state", "tmp"})
            std::filesystem::create_directory(m_folder.file(sub));
        writeConfiguration();
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl(cupsd, cupsd, "-f", "-c", m_folder.file("cupsd.conf").c_str(), "-s",
                    m_folder.file("cups-files.conf").c_str(), nullptr);
            ::_exit(127);
        }
        m_running = m_pid > 0 && awaitSocket();
        ::setenv("CUPS_SERVER", socketPath().c_str(), 1);
    }
    ~CupsService() {
        ::unsetenv("CUPS_SERVER");
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    bool running() const { return m_running; }
    std::string output() const { return m_folder.file("printed"); }
    std::string document(int job) const {
        char name[32];
        std::snprintf(name, sizeof name, "spool/d%05d-001", job);
        return TempFolder::read(m_folder.file(name));
    }
    std::string log() const { return TempFolder::read(m_folder.file("error_log")); }

  private:
    std::string socketPath() const { return m_folder.file("cups.sock"); }

    void writeConfiguration() {
        TempFolder::write(
            m_folder.file("cupsd.conf"),
            "Listen " + socketPath() +
                "\nLogLevel warn\nPreserveJobFiles Yes\nBrowsing No\nWebInterface No\n"
                "DefaultAuthType None\n<Location />\nOrder allow,deny\nAllow all\n"
                "</Location>\n<Policy default>\n<Limit All>\nOrder deny,allow\n"
                "</Limit>\n</Policy>\n");
        const std::string root = m_folder.path();
        TempFolder::write(m_folder.file("cups-files.conf"),
                          "FileDevice Yes\nServerRoot " + root + "\nRequestRoot " + root +
                              "/spool\nCacheDir " + root + "/cache\nStateDir " + root +
                              "/state\nTempDir " + root + "/tmp\nErrorLog " + root +
                              "/error_log\nAccessLog " + root + "/access_log\nPageLog " + root +
                              "/page_log\n");
        TempFolder::write(m_folder.file("printers.conf"), queue("raw", "Idle", "Yes") +
                                                              queue("stopped", "Stopped", "Yes") +
                                                              queue("rejecting", "Idle", "No"));
    }
    std::string queue(const std::string& name, const char* state, const char* accepting) const {
        return "<Printer " + name + ">\nInfo " + name + "\nDeviceURI file://" + output() +
               "\nState " + state + "\nAccepting " + accepting +
               "\nShared No\nJobSheets none none\nErrorPolicy stop-printer\n</Printer>\n";
    }
    bool awaitSocket() const {
        for (int i = 0; i < 100; ++i) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath().c_str());
            const bool up =
                ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(fd);
            if (up)
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    TempFolder m_folder;
    pid_t m_pid = -1;
    bool m_running = false;
};

TEST(CupsPortTest, RawQueueTakesTheJobUntouchedOrSaysWhyNot) {
    CupsService cups;
    if (!cups.running())
        GTEST_SKIP() << "cupsd cannot be started here";
    const std::vector<unsigned char> bytes{0x1B, '@', 0x1D, 'V', 66, 0, 0x00, 0xFF, 'a', '\n'};
    const struct {
        const char* queue;
        const char* cause; // empty: printed
    } cases[] = {
        {"raw", ""},
        {"stopped", "已停用"},
        {"rejecting", "不接受任务"},
        {"没有这个队列", "找不到这个打印队列"},
    };
    PrintSpooler spooler;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.queue);
        const auto job = spooler.submit(*PrinterConnection::parse(std::string("cups:") + c.queue),
                                        bytes, "小票");
        const State state = job->waitFor(20s);
        const std::string problem = job->problem();
        EXPECT_EQ(state, *c.cause ? State::Failed : State::Done) << problem << cups.log();
        EXPECT_NE(problem.find(c.cause), std::string::npos) << problem;
        EXPECT_EQ(problem.empty(), !*c.cause) << problem;
    }
    EXPECT_EQ(cups.document(1), std::string(bytes.begin(), bytes.end())) << cups.log();
}

} // namespace
