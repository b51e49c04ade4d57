#pragma once
#include "printer/HostLookup.h"
#include "printer/PrintLimits.h"
#include "printer/PrinterConnection.h"
#include "printer/PrinterPort.h"

// A network printer's socket or a device file, written without blocking so
// that every wait has its limit.
class FdPort : public PrinterPort {
  public:
    FdPort(PrinterConnection connection, const PrintLimits& limits)
        : m_connection(std::move(connection)), m_limits(limits) {}
    ~FdPort() override;

    std::string open(const std::atomic<bool>& cancelled) override;
    std::string write(const unsigned char* data, std::size_t size) override;
    // A socket or a serial line is done once its send queue is empty, a
    // printer's device file once its driver takes more again.
    std::string finish() override;

    // What a printer's answers to DLE EOT 2 and DLE EOT 4 say is wrong;
    // empty when they report nothing wrong.
    static std::string statusProblem(const unsigned char* answers, std::size_t count);

  private:
    enum class Kind { Socket, Terminal, Device, File };

    std::string connect(const std::atomic<bool>& cancelled);
    // 0 when connected, else the error.
    int tryConnect(const HostLookup::Address& address, Clock::time_point deadline,
                   const std::atomic<bool>& cancelled);
    std::string openDevice();
    std::string askStatus(Clock::time_point until);
    std::string put(const unsigned char* data, std::size_t size, std::chrono::milliseconds stall);
    // Bytes the printer has not yet taken; minus the error when that cannot be told.
    int unsent() const;
    // Waits until the printer has taken what was written; fails when it
    // stops taking bytes, or the job takes longer than its limit.
    std::string drain();
    // Drops what a job that failed still has on its way.
    void abandon();
    // Waits for `events`; false when the time ran out or the job was cancelled.
    bool await(short events, Clock::time_point until, const std::atomic<bool>* cancelled);

    PrinterConnection m_connection;
    PrintLimits m_limits;
    int m_fd = -1;
    Kind m_kind = Kind::File;
    Clock::time_point m_jobEnd{}; // set by the first write
    bool m_answers = false; // a socket or a character device may report its status
};
