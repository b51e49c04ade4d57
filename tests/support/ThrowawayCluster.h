#pragma once
#include <string>

// A PostgreSQL cluster of one test's own (tools/test-cluster), which the test
// may stop, restart, freeze and thaw without disturbing the tests that share
// the run's server. It is thawed and removed when it goes.
class ThrowawayCluster {
  public:
    ThrowawayCluster();
    ~ThrowawayCluster();
    ThrowawayCluster(const ThrowawayCluster&) = delete;
    ThrowawayCluster& operator=(const ThrowawayCluster&) = delete;

    // False when no cluster could be started (no PostgreSQL on the machine).
    bool started() const { return !m_folder.empty(); }
    const std::string& connection() const { return m_connection; }
    std::string port() const;

    void halt();   // the server stops at once, as in a power cut
    void resume(); // and starts again on the same port
    void freeze(); // every process of it stops (SIGSTOP) without a word
    void thaw();

  private:
    void run(const std::string& command);

    std::string m_connection;
    std::string m_folder;
    bool m_frozen = false;
};
