#pragma once
#include "printer/PrinterConnection.h"
#include "printer/PrinterPort.h"

// A network printer's socket or a device file, written without blocking so
// that every wait has its limit.
class FdPort : public PrinterPort {
  public:
    explicit FdPort(PrinterConnection connection) : m_connection(std::move(connection)) {}
    ~FdPort() override;

    std::string open(Clock::time_point deadline, const std::atomic<bool>& cancelled) override;
    std::string write(const unsigned char* data, std::size_t size,
                      std::chrono::milliseconds stall) override;
    std::string finish() override;

    // What a printer's answers to DLE EOT 2 and DLE EOT 4 say is wrong;
    // empty when they report nothing wrong.
    static std::string statusProblem(const unsigned char* answers, std::size_t count);

  private:
    std::string connect(Clock::time_point deadline, const std::atomic<bool>& cancelled);
    // 0 when connected, else the error.
    int tryConnect(const struct addrinfo& address, Clock::time_point deadline,
                   const std::atomic<bool>& cancelled);
    std::string openDevice();
    std::string askStatus(Clock::time_point deadline);
    // Waits for `events`; false when the time ran out or the job was cancelled.
    bool await(short events, Clock::time_point until, const std::atomic<bool>* cancelled);

    PrinterConnection m_connection;
    int m_fd = -1;
    bool m_socket = false;
    bool m_answers = false; // a socket or a character device may report its status
};
