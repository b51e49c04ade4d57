#include "printer/PrintSpooler.h"

#include "printer/PrinterPortFor.h"

PrintJob::PrintJob(PrinterConnection connection, std::vector<unsigned char> bytes,
                   std::string title)
    : m_connection(std::move(connection)), m_bytes(std::move(bytes)), m_title(std::move(title)) {}

PrintJob::State PrintJob::state() const {
    std::lock_guard lock(m_mutex);
    return m_state;
}

std::string PrintJob::problem() const {
    std::lock_guard lock(m_mutex);
    return m_problem;
}

bool PrintJob::finished() const {
    const State now = state();
    return now == State::Done || now == State::Failed;
}

PrintJob::State PrintJob::waitFor(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout,
                       [this] { return m_state == State::Done || m_state == State::Failed; });
    return m_state;
}

bool PrintJob::cancel() {
    std::lock_guard lock(m_mutex);
    if (m_state == State::Sending || m_state == State::Done)
        return false;
    m_cancelled = true;
    return true;
}

void PrintJob::whenFinished(std::function<void()> call) {
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Done && m_state != State::Failed) {
            m_whenFinished = std::move(call);
            return;
        }
    }
    call();
}

// Called outside the lock, so that the call may read the job.
void PrintJob::announceEnd() {
    std::function<void()> call;
    {
        std::lock_guard lock(m_mutex);
        call = std::move(m_whenFinished);
        m_whenFinished = nullptr;
    }
    if (call)
        call();
}

bool PrintJob::advance(State next) {
    std::lock_guard lock(m_mutex);
    if (m_cancelled && next != State::Done)
        return false;
    m_state = next;
    m_changed.notify_all();
    return true;
}

void PrintJob::fail(std::string problem) {
    std::lock_guard lock(m_mutex);
    m_state = State::Failed;
    m_problem = std::move(problem);
    m_changed.notify_all();
}

PrintSpooler::~PrintSpooler() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (auto& [connection, line] : m_lines)
        line->worker.join();
}

PrintSpooler& PrintSpooler::instance() {
    static PrintSpooler spooler;
    return spooler;
}

std::shared_ptr<PrintJob> PrintSpooler::submit(const PrinterConnection& connection,
                                               std::vector<unsigned char> bytes,
                                               const std::string& title) {
    auto job = std::make_shared<PrintJob>(connection, std::move(bytes), title);
    {
        std::lock_guard lock(m_mutex);
        std::unique_ptr<Line>& line = m_lines[connection.text()];
        if (!line) {
            line = std::make_unique<Line>();
            line->worker = std::thread(&PrintSpooler::run, this, std::ref(*line));
        }
        line->jobs.push_back(job);
    }
    m_queued.notify_all();
    return job;
}

void PrintSpooler::run(Line& line) {
    for (;;) {
        std::shared_ptr<PrintJob> job;
        {
            std::unique_lock lock(m_mutex);
            m_queued.wait(lock, [&] { return m_stopping || !line.jobs.empty(); });
            if (line.jobs.empty())
                return;
            job = std::move(line.jobs.front());
            line.jobs.pop_front();
        }
        send(*job);
        job->announceEnd();
    }
}

void PrintSpooler::send(PrintJob& job) const {
    if (!job.advance(PrintJob::State::Opening))
        return job.fail("已取消");
    const auto port = printerPortFor(job.m_connection, job.m_title, m_limits);
    std::string problem = port->open(job.m_cancelled);
    if (problem.empty() && !job.advance(PrintJob::State::Sending))
        problem = "已取消";
    if (problem.empty())
        problem = port->write(job.m_bytes.data(), job.m_bytes.size());
    if (problem.empty())
        problem = port->finish();
    if (problem.empty())
        job.advance(PrintJob::State::Done);
    else
        job.fail(problem);
}
