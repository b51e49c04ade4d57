#include "storage/engine/ServerLink.h"
#include <cerrno>
#include <libpq-fe.h>
#include <poll.h>

namespace {

using Clock = std::chrono::steady_clock;

// Waits until the socket can be read (or written) or the deadline passes.
bool ready(PGconn* connection, bool forWriting, Clock::time_point deadline) {
    pollfd watched{PQsocket(connection), static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
    if (watched.fd < 0)
        return false;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        const int found = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (found > 0)
            return true;
        if (found == 0 || errno != EINTR)
            return false;
    }
}

void ignoreNotice(void*, const char*) {}

} // namespace

std::string ServerLink::trimmed(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

ServerLink::~ServerLink() {
    close();
}

bool ServerLink::open(const std::string& connection, Milliseconds limit, std::string& error,
                      const std::string& password) {
    close();
    // Later keywords win: the link's own limits hold whatever the text sets.
    const char* keywords[] = {"fallback_application_name",
                              "dbname",
                              "keepalives",
                              "keepalives_idle",
                              "keepalives_interval",
                              "keepalives_count",
                              "tcp_user_timeout",
                              "password",
                              nullptr};
    const char* values[] = {"Tablewise", connection.c_str(),
                            "1",         "5",
                            "2",         "2",
                            "8000",      password.empty() ? nullptr : password.c_str(),
                            nullptr};
    m_connection = PQconnectStartParams(keywords, values, 1);
    const Clock::time_point deadline = Clock::now() + limit;
    PostgresPollingStatusType step = PGRES_POLLING_WRITING;
    while (PQstatus(m_connection) != CONNECTION_BAD && step != PGRES_POLLING_OK &&
           step != PGRES_POLLING_FAILED) {
        if (!ready(m_connection, step == PGRES_POLLING_WRITING, deadline))
            return giveUp(error);
        step = PQconnectPoll(m_connection);
    }
    if (PQstatus(m_connection) != CONNECTION_OK) {
        error = trimmed(PQerrorMessage(m_connection));
        close();
        return false;
    }
    PQsetNoticeProcessor(m_connection, ignoreNotice, nullptr);
    return PQsetnonblocking(m_connection, 1) == 0 || (close(), false);
}

pg_result* ServerLink::exchange(const std::string& sql, bool several, Milliseconds limit,
                                std::string& error) {
    m_sent = false;
    m_timedOut = false;
    if (!m_connection) {
        error = "与数据库服务器的连接已断开";
        return nullptr;
    }
    const Clock::time_point deadline = Clock::now() + limit;
    m_sent = several ? PQsendQuery(m_connection, sql.c_str())
                     : PQsendQueryParams(m_connection, sql.c_str(), 0, nullptr, nullptr, nullptr,
                                         nullptr, 0);
    if (!m_sent) {
        error = trimmed(PQerrorMessage(m_connection));
        return nullptr;
    }
    if (!flushed(deadline))
        return giveUp(error), nullptr;
    return collect(deadline, error);
}

bool ServerLink::flushed(Clock::time_point deadline) {
    for (int left; (left = PQflush(m_connection)) != 0;)
        if (left < 0 || !ready(m_connection, true, deadline))
            return false;
    return true;
}

bool ServerLink::answered(Clock::time_point deadline) {
    while (PQisBusy(m_connection)) {
        if (!ready(m_connection, false, deadline))
            return false;
        // A broken link gives its own error as the answer.
        if (!PQconsumeInput(m_connection))
            return true;
    }
    return true;
}

// The first refusal among the results, else the last result.
pg_result* ServerLink::collect(Clock::time_point deadline, std::string& error) {
    const auto refusal = [](const PGresult* result) {
        const ExecStatusType status = PQresultStatus(result);
        return result && status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK;
    };
    PGresult* kept = nullptr;
    for (;;) {
        if (!answered(deadline)) {
            PQclear(kept);
            giveUp(error);
            return nullptr;
        }
        PGresult* result = PQgetResult(m_connection);
        if (!result)
            return kept;
        if (refusal(kept)) {
            PQclear(result);
        } else {
            PQclear(kept);
            kept = result;
        }
    }
}

// libpq's own words for it, which the messages for the cashier recognise.
bool ServerLink::giveUp(std::string& error) {
    error = "timeout expired";
    m_timedOut = true;
    close();
    return false;
}

bool ServerLink::stillOpen() {
    if (!m_connection || PQstatus(m_connection) != CONNECTION_OK)
        return false;
    // A server that shut down has said so and closed its end: read it now.
    pollfd watched{PQsocket(m_connection), POLLIN, 0};
    for (int round = 0; round < 3 && ::poll(&watched, 1, 0) > 0; ++round) {
        if (!PQconsumeInput(m_connection))
            return false;
        PQisBusy(m_connection);
    }
    return PQstatus(m_connection) == CONNECTION_OK;
}

void ServerLink::close() {
    PQfinish(m_connection);
    m_connection = nullptr;
}
