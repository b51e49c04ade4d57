#include "printer/PrintSpooler.h"
#include "support/PrinterListener.h"

#include <future>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using State = PrintJob::State;

// Short limits, so that a stalled printer is reported at once.
PrintLimits quick() {
    PrintLimits limits;
    limits.lookup = 300ms;
    limits.connect = 300ms;
    limits.status = 100ms;
    limits.stall = 500ms;
    limits.job = 3s;
    return limits;
}

// Every job ends within its limits; this only keeps a broken one from hanging the test.
constexpr auto ends = 10s;

std::vector<unsigned char> job(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>('A' + i % 26);
    return bytes;
}

PrinterConnection connection(const std::string& text) {
    return *PrinterConnection::parse(text);
}

TEST(PrintSpoolerTest, JobCountsAsPrintedOnlyWhenThePrinterTookEveryByte) {
    PrinterListener reading;
    PrinterListener stalled(PrinterListener::Mode::Stalled);
    const struct {
        const char* printer;
        std::string connection;
        std::size_t size;
        const char* cause; // empty: printed
    } cases[] = {
        {"reads", reading.connection(), 200 * 1024, ""},
        // Fits the connection's send buffer at once, then stays there.
        {"stalled, small job", stalled.connection(), 8 * 1024, "打印机没有收完"},
        // Stalls while it is sent, or once the system's buffers hold it.
        {"stalled, large job", stalled.connection(), 1024 * 1024, "打印机没有"},
        {"unknown name", "tcp:printer.invalid:9100", 100, "打印机地址"},
    };
    PrintSpooler spooler(quick());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printer);
        const auto sent = job(c.size);
        const auto printing = spooler.submit(connection(c.connection), sent, "小票");
        // The watcher hears of the end once, with the outcome already final.
        std::promise<State> heard;
        printing->whenFinished([&] { heard.set_value(printing->state()); });
        auto told = heard.get_future();
        ASSERT_EQ(told.wait_for(ends), std::future_status::ready);
        EXPECT_EQ(told.get(), printing->state());
        const State state = printing->waitFor(ends);
        const std::string problem = printing->problem();
        EXPECT_EQ(state, *c.cause ? State::Failed : State::Done) << problem;
        EXPECT_NE(problem.find(c.cause), std::string::npos) << problem;
        EXPECT_EQ(problem.empty(), !*c.cause) << problem;
        if (!*c.cause) {
            std::vector<unsigned char> received = reading.nextJob();
            ASSERT_GE(received.size(), sent.size());
            // After the status query.
            received.erase(received.begin(), received.end() - long(sent.size()));
            EXPECT_EQ(received, sent);
        }
    }
}

TEST(PrintSpoolerTest, StalledPrinterHoldsUpNoOtherPrinter) {
    PrinterListener reading;
    PrinterListener stalled(PrinterListener::Mode::Stalled);
    PrintLimits limits = quick();
    limits.stall = 3s;
    PrintSpooler spooler(limits);
    const auto stuck = spooler.submit(connection(stalled.connection()), job(1024 * 1024), "小票");
    const auto behind = spooler.submit(connection(stalled.connection()), job(10), "小票");
    const auto other = spooler.submit(connection(reading.connection()), job(1000), "厨房单");
    EXPECT_EQ(other->waitFor(ends), State::Done) << other->problem();
    EXPECT_FALSE(stuck->finished()) << "the stalled printer is still being waited for";
    EXPECT_EQ(behind->state(), State::Waiting) << "one job at a time on one printer";
    EXPECT_TRUE(behind->cancel());
    EXPECT_EQ(stuck->waitFor(ends), State::Failed);
    EXPECT_EQ(behind->waitFor(ends), State::Failed);
    int late = 0;
    behind->whenFinished([&] { ++late; });
    EXPECT_EQ(late, 1) << "a job already finished is told at once";
}

} // namespace
