#pragma once
#include <chrono>
#include <string>

struct pg_conn;
struct pg_result;

// One libpq connection whose every wait has a time limit: a server that is
// frozen or unplugged is given up on, never waited for. TCP keepalives and a
// user timeout make the operating system notice a dead link as well.
class ServerLink {
  public:
    using Milliseconds = std::chrono::milliseconds;

    ServerLink() = default;
    ~ServerLink();
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    // One attempt within `limit`, whatever the text says (a key=value text
    // or a URI, connect_timeout=0 included), with `password` when it is not
    // empty (else the password file). False with libpq's message.
    bool open(const std::string& connection, Milliseconds limit, std::string& error,
              const std::string& password = {});
    // The answer to `sql` (one statement, or several when `several`); null
    // with `error` when none came within `limit`, and the link is then
    // closed. A result may hold the server's refusal.
    pg_result* exchange(const std::string& sql, bool several, Milliseconds limit,
                        std::string& error);
    // Whether the last exchange reached the server: false when the link was
    // already gone, so the statement cannot have run.
    bool lastSent() const { return m_sent; }
    // Whether the last exchange ended because no answer came in time.
    bool lastTimedOut() const { return m_timedOut; }
    // False once the link is closed or the server has closed its end,
    // checked without waiting.
    bool stillOpen();
    void close();
    pg_conn* raw() const { return m_connection; }
    // libpq's message without the line break it ends with.
    static std::string trimmed(const char* message);

  private:
    bool flushed(std::chrono::steady_clock::time_point deadline);
    bool answered(std::chrono::steady_clock::time_point deadline);
    pg_result* collect(std::chrono::steady_clock::time_point deadline, std::string& error);
    bool giveUp(std::string& error);

    pg_conn* m_connection = nullptr;
    bool m_sent = false;
    bool m_timedOut = false;
};
