#pragma once
#include "printer/PrintLimits.h"
#include "printer/PrinterConnection.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
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
    bool finished() const;
    // Until the job has finished or `timeout` has passed; the state then.
    State waitFor(std::chrono::milliseconds timeout) const;
    // A job that has not begun sending never will; false when it already has.
    bool cancel();
    // `call` runs once the job has finished: on the printer's thread, or at
    // once on this one when it already has. A later call replaces an earlier.
    void whenFinished(std::function<void()> call);

  private:
    friend class PrintSpooler;
    // False when the job was cancelled meanwhile.
    bool advance(State next);
    void fail(std::string problem);
    void announceEnd();

    PrinterConnection m_connection;
    std::vector<unsigned char> m_bytes;
    std::string m_title;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    State m_state = State::Waiting;
    std::string m_problem;
    std::atomic<bool> m_cancelled{false};
    std::function<void()> m_whenFinished;
};

// Sends print jobs to each printer one after the other, on a thread per
// printer: a slow printer never holds up the window, a stalled one never
// holds up another, and two receipts never mix on a printer that can only
// take one at a time.
class PrintSpooler {
  public:
    explicit PrintSpooler(const PrintLimits& limits = {}) : m_limits(limits) {}
    // Jobs already handed over are finished first.
    ~PrintSpooler();
    PrintSpooler(const PrintSpooler&) = delete;
    PrintSpooler& operator=(const PrintSpooler&) = delete;

    static PrintSpooler& instance();

    const PrintLimits& limits() const { return m_limits; }

    std::shared_ptr<PrintJob> submit(const PrinterConnection& connection,
                                     std::vector<unsigned char> bytes, const std::string& title);

  private:
    // One printer's jobs and the thread that sends them.
    struct Line {
        std::deque<std::shared_ptr<PrintJob>> jobs;
        std::thread worker;
    };
    void run(Line& line);
    void send(PrintJob& job) const;

    const PrintLimits m_limits;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::map<std::string, std::unique_ptr<Line>> m_lines; // by connection text
    bool m_stopping = false;
};
