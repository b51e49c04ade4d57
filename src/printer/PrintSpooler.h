#pragma once
#include "printer/PrinterConnection.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One receipt's bytes on their way to the printer, watched from the window.
class PrintJob {
  public:
    enum class State { Waiting, Opening, Sending, Done, Failed };

    PrintJob(PrinterConnection connection, std::vector<unsigned char> bytes, std::string title);

    State state() const;
    // Why the job failed, as the cashier should read it.
    std::string problem() const;
    // Until the job has finished or `timeout` has passed; the state then.
    State waitFor(std::chrono::milliseconds timeout) const;
    // A job that has not begun sending never will; false when it already has.
    bool cancel();

  private:
    friend class PrintSpooler;
    // False when the job was cancelled meanwhile.
    bool advance(State next);
    void fail(std::string problem);

    PrinterConnection m_connection;
    std::vector<unsigned char> m_bytes;
    std::string m_title;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    State m_state = State::Waiting;
    std::string m_problem;
    std::atomic<bool> m_cancelled{false};
};

// Sends print jobs one after the other on a thread of its own, so that a
// slow printer never holds up the window, and two receipts never mix on a
// printer that can only take one at a time.
class PrintSpooler {
  public:
    // A printer that does not connect in this time is reported.
    static constexpr std::chrono::milliseconds connectLimit{2000};
    // A printer that takes no byte for this long is reported.
    static constexpr std::chrono::milliseconds stallLimit{2500};

    PrintSpooler() = default;
    // Jobs already handed over are finished first.
    ~PrintSpooler();
    PrintSpooler(const PrintSpooler&) = delete;
    PrintSpooler& operator=(const PrintSpooler&) = delete;

    static PrintSpooler& instance();

    std::shared_ptr<PrintJob> submit(const PrinterConnection& connection,
                                     std::vector<unsigned char> bytes, const std::string& title);

  private:
    void run();
    static void send(PrintJob& job);

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<std::shared_ptr<PrintJob>> m_jobs;
    bool m_stopping = false;
    std::thread m_worker;
};
