#pragma once
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A network printer's port on 127.0.0.1 (a free port): it keeps the bytes of
// every connection as one job and answers status queries as a printer does.
// A stalled one (a jammed printer that keeps its link up) accepts the
// connection and never reads, with a small receive buffer that soon fills.
class PrinterListener {
  public:
    enum class Mode { Reading, Stalled };
    static constexpr int stalledBuffer = 4096;

    // The answer to DLE EOT: 0x12 is a printer with paper and its cover shut.
    unsigned char status = 0x12;

    explicit PrinterListener(Mode mode = Mode::Reading) : m_mode(mode) {
        m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (mode == Mode::Stalled)
            ::setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, &stalledBuffer, sizeof stalledBuffer);
        m_port = bindLoopback(m_socket);
        ::listen(m_socket, 4);
        m_thread = std::thread([this] { serve(); });
    }
    ~PrinterListener() {
        m_stop = true;
        m_thread.join();
        ::close(m_socket);
    }

    std::string connection() const { return "tcp:127.0.0.1:" + std::to_string(m_port); }

    // The next job, once its connection was closed; empty after `timeout`.
    std::vector<unsigned char>
    nextJob(std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        std::unique_lock lock(m_mutex);
        if (!m_done.wait_for(lock, timeout, [this] { return !m_jobs.empty(); }))
            return {};
        std::vector<unsigned char> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        return job;
    }

    // A port on 127.0.0.1 that refuses connections: bound, never listening.
    class RefusingPort {
      public:
        RefusingPort() : m_socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
            m_port = bindLoopback(m_socket);
        }
        ~RefusingPort() { ::close(m_socket); }
        std::string connection() const { return "tcp:127.0.0.1:" + std::to_string(m_port); }

      private:
        int m_socket;
        int m_port;
    };

  private:
    // Binds to a free port of 127.0.0.1 and returns it.
    static int bindLoopback(int socket) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
        return ntohs(address.sin_port);
    }

    bool ready(int fd) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 20) > 0;
    }

    void serve() {
        while (!m_stop) {
            if (!ready(m_socket))
                continue;
            const int client = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                receive(client);
        }
    }

    void receive(int client) {
        while (m_mode == Mode::Stalled && !m_stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::vector<unsigned char> job;
        unsigned char buffer[65536];
        size_t scanned = 0;
        while (!m_stop) {
            if (!ready(client))
                continue;
            const ssize_t n = ::read(client, buffer, sizeof buffer);
            if (n <= 0)
                break;
            job.insert(job.end(), buffer, buffer + n);
            for (; scanned + 2 < job.size(); ++scanned)
                if (job[scanned] == 0x10 && job[scanned + 1] == 0x04)
                    ::send(client, &status, 1, MSG_NOSIGNAL);
        }
        ::close(client);
        {
            std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_done.notify_all();
    }

    const Mode m_mode;
    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::deque<std::vector<unsigned char>> m_jobs;
};
