// Tills that settle at the same moment against one server. Each till is this
// test program run again with a filter, told by its environment which
// database to settle into and how much.
#include "orders/OrderNumbering.h"
#include "orders/Settlement.h"
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

pid_t startTill(const std::string& connection, TillRun run) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("TABLEWISE_TILL_DATABASE", connection.c_str(), 1);
        setenv("TABLEWISE_TILL_RUN",
               (std::to_string(run.orders) + " " + std::to_string(run.linesPerOrder)).c_str(), 1);
        execl("/proc/self/exe", "till", "--gtest_filter=TillProcess.Settles", nullptr);
        _exit(127);
    }
    return pid;
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

TEST_F(ConcurrentTills, ATillKilledWhileSettlingLeavesNoHalfOrder) {
    const pid_t till = startTill(server->connection(), {100000, 60});
    while (count("select count(*) from 存单") < 20)
        usleep(20000);
    kill(till, SIGKILL);
    exitCode(till);
    expectNoHalfOrders();
    EXPECT_EQ(count("select count(*) from 存单详单"), 60 * count("select count(*) from 存单"));
}
