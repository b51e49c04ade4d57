// Tills that settle at the same moment against one server. Each till is this
// test program run again with a filter, told by its environment which
// database to settle into and how much.
#include "catalogue/SoldOut.h"
#include "orders/OrderNumbering.h"
#include "orders/Settlement.h"
#include "printer/PrintSpooler.h"
#include "support/PrinterListener.h"
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct TillRun {
    int orders;
    int linesPerOrder;
};

pid_t startTill(const std::string& connection, TillRun run,
                const char* what = "--gtest_filter=TillProcess.Settles") {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("TABLEWISE_TILL_DATABASE", connection.c_str(), 1);
        setenv("TABLEWISE_TILL_RUN",
               (std::to_string(run.orders) + " " + std::to_string(run.linesPerOrder)).c_str(), 1);
        execl("/proc/self/exe", "till", what, nullptr);
        _exit(127);
    }
    return pid;
}

bool running(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) == 0;
}

int exitCode(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ConcurrentTills : public ::testing::Test, public TestDatabase {
  protected:
    ConcurrentTills() : TestDatabase(Engine::Server) {}

    void SetUp() override {
        if (serverMissing())
            GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
    }

    void expectNoHalfOrders() {
        EXPECT_EQ(count("select count(*) from 存单 where ID not in (select 存单ID from 存单详单)"),
                  0);
        EXPECT_EQ(count("select count(*) from 存单详单 where 存单ID not in (select ID from 存单)"),
                  0);
    }
};

} // namespace

// One till: takes the number its screen would show, then settles, as a cashier does.
TEST(TillProcess, Settles) {
    const char* connection = std::getenv("TABLEWISE_TILL_DATABASE");
    const char* run = std::getenv("TABLEWISE_TILL_RUN");
    if (!connection || !run)
        GTEST_SKIP() << "started by ConcurrentTills";
    TillRun till{};
    ASSERT_EQ(std::sscanf(run, "%d %d", &till.orders, &till.linesPerOrder), 2);
    FixedClock clock(DateTime{2026, 12, 8, 12, 0, 0});
    Database db;
    db.setClock(clock);
    ASSERT_TRUE(db.openServer(connection)) << db.lastError();
    std::vector<OrderLine> lines(till.linesPerOrder, OrderLine{"红烧排骨饭", "1", "份", "18"});
    Settlement settlement(db, clock);
    for (int i = 0; i < till.orders; ++i) {
        const auto next = nextOrderNumber(db, clock.now());
        ASSERT_TRUE(next) << next.error();
        const int number = next->nextNumber;
        const auto result =
            settlement.store(deliveryOrder(std::to_string(number), lines, "18", "18"));
        ASSERT_EQ(result.outcome, Settlement::Outcome::Done) << result.message;
    }
}

// One till settling orders of one 酸菜鱼 each, as long as the kitchen has one.
TEST(TillProcess, SettlesASoldOutDish) {
    const char* connection = std::getenv("TABLEWISE_TILL_DATABASE");
    const char* run = std::getenv("TABLEWISE_TILL_RUN");
    if (!connection || !run)
        GTEST_SKIP() << "started by ConcurrentTills";
    FixedClock clock(DateTime{2026, 12, 8, 12, 0, 0});
    Database db;
    db.setClock(clock);
    ASSERT_TRUE(db.openServer(connection)) << db.lastError();
    Settlement settlement(db, clock);
    for (int i = 0; i < std::atoi(run); ++i) {
        const auto next = nextOrderNumber(db, clock.now());
        ASSERT_TRUE(next) << next.error();
        const auto result = settlement.store(deliveryOrder(
            std::to_string(next->nextNumber), {{"酸菜鱼", "1", "份", "16"}}, "16", "16"));
        EXPECT_NE(result.outcome, Settlement::Outcome::NoDishes) << result.message;
    }
}

// One till whose printer accepts the connection and never reads: F11 on an
// order, which waits for the printer until its stall limit.
TEST(TillProcess, PrintsOnAStalledPrinter) {
    const char* connection = std::getenv("TABLEWISE_TILL_DATABASE");
    if (!connection || !std::getenv("TABLEWISE_TILL_RUN"))
        GTEST_SKIP() << "started by ConcurrentTills";
    FixedClock clock(DateTime{2026, 12, 8, 12, 0, 0});
    Database db;
    db.setClock(clock);
    ASSERT_TRUE(db.openServer(connection)) << db.lastError();
    PrinterListener printer(PrinterListener::Mode::Stalled);
    PrintLimits limits;
    limits.stall = std::chrono::seconds(5);
    PrintSpooler spooler(limits);
    const OrderDraft order = deliveryOrder("1", {{"红烧排骨饭", "1", "份", "18"}}, "18", "18");
    const auto result = Settlement(db, clock).printOnly(order, [&](const auto& startJob) {
        return startJob() && spooler.submit(*PrinterConnection::parse(printer.connection()),
                                            std::vector<unsigned char>(1 << 20, 'x'), "小票")
                                     ->waitFor(std::chrono::seconds(30)) == PrintJob::State::Done;
    });
    EXPECT_EQ(result.outcome, Settlement::Outcome::NotPrinted);
}

TEST_F(ConcurrentTills, AStalledPrinterHoldsUpNoOtherTill) {
    const pid_t stalled = startTill(server->connection(), {1, 1},
                                    "--gtest_filter=TillProcess.PrintsOnAStalledPrinter");
    // Its print is recorded before the printer gets a byte.
    while (count("select count(*) from 操作记录") < 1 && running(stalled))
        usleep(20000);
    ASSERT_TRUE(running(stalled)) << "the till ended before its print was seen";
    const auto result = Settlement(db, clock).store(
        deliveryOrder("7", {{"红烧排骨饭", "1", "份", "18"}}, "18", "18"));
    EXPECT_EQ(result.outcome, Settlement::Outcome::Done) << result.message;
    EXPECT_TRUE(running(stalled)) << "settled while the other till still waits on its printer";
    EXPECT_EQ(exitCode(stalled), 0);
    EXPECT_EQ(count("select count(*) from 操作记录"), 2) << "the print and that it did not print";
}

TEST_F(ConcurrentTills, FourTillsNumberTheDayWithoutGapsOrTwins) {
    pid_t tills[4];
    for (pid_t& till : tills)
        till = startTill(server->connection(), {2500, 2});
    for (pid_t till : tills)
        EXPECT_EQ(exitCode(till), 0);
    EXPECT_EQ(count("select count(*) from 存单"), 10000);
    EXPECT_EQ(count("select max(编号) from 存单"), 10000);
    EXPECT_EQ(
        count("select count(*) from (select 编号 from 存单 group by 编号 having count(*) > 1)"), 0);
    EXPECT_EQ(count("select count(*) from 存单详单"), 20000);
    expectNoHalfOrders();
    const TodayCounters today = *nextOrderNumber(db, clock.now());
    EXPECT_EQ(today.orderCount, "10000");
    EXPECT_EQ(today.nextNumber, 10001);
    EXPECT_EQ(today.income, 180000);
}

TEST_F(ConcurrentTills, TwoTillsSellNoMoreOfADishThanIsLeft) {
    ASSERT_TRUE(SoldOut(db).mark("酸菜鱼", 2, {2026, 12, 8}));
    pid_t tills[2];
    for (pid_t& till : tills)
        till = startTill(server->connection(), {3, 1},
                         "--gtest_filter=TillProcess.SettlesASoldOutDish");
    for (pid_t till : tills)
        EXPECT_EQ(exitCode(till), 0);
    EXPECT_EQ(count("select count(*) from 存单"), 2);
    EXPECT_EQ(count("select 剩余 from 估清"), 0);
    expectNoHalfOrders();
}

TEST_F(ConcurrentTills, ATillKilledWhileSettlingLeavesNoHalfOrder) {
    const pid_t till = startTill(server->connection(), {100000, 60});
    while (count("select count(*) from 存单") < 20)
        usleep(20000);
    kill(till, SIGKILL);
    exitCode(till);
    expectNoHalfOrders();
    EXPECT_EQ(count("select count(*) from 存单详单"), 60 * count("select count(*) from 存单"));
}
