// Two tills on a server of the test's own that goes down and freezes in the
// middle of a shift: each settlement is stored whole or not at all, with the
// day's next number and no twin, and the tills go on without a restart.
#include "orders/OrderNumbering.h"
#include "orders/Settlement.h"
#include "support/SampleOrders.h"
#include "support/ThrowawayCluster.h"

#include "storage/engine/Database.h"
#include "storage/values/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

struct Till {
    explicit Till(const std::string& name) { db.setTillName(name); }

    Settlement::Result settle() {
        const std::vector<OrderLine> lines(2, OrderLine{"红烧排骨饭", "1", "份", "18"});
        // A server out of reach shows no number; the till settles what is typed.
        const ReadResult<TodayCounters> next = nextOrderNumber(db, clock.now());
        const int number = next ? next->nextNumber : 1;
        return settlement.store(deliveryOrder(std::to_string(number), lines, "36", "36"));
    }

    FixedClock clock{DateTime{2026, 12, 8, 12, 0, 0}};
    Database db;
    Settlement settlement{db, clock};
};

class SettlementOutage : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!cluster.started())
            GTEST_SKIP() << "no PostgreSQL cluster could be started";
        for (Till* till : {&front, &back}) {
            till->db.setClock(till->clock);
            ASSERT_TRUE(till->db.openServer(cluster.connection())) << till->db.lastError();
        }
    }

    // Every stored order: its number, its till and how many lines it has.
    std::string stored() {
        Database& db = front.db;
        std::string text;
        const int handle = db.OpenTable("select 编号,收银台,(select count(*) from 存单详单 where "
                                        "存单ID=存单.ID) from 存单 order by 编号");
        EXPECT_NE(handle, 0) << db.lastError();
        for (; !db.IsEOF(handle); db.MoveNext(handle))
            text += db.ReadColByIndex(handle, 1).toText() + db.ReadColByIndex(handle, 2).toText() +
                    db.ReadColByIndex(handle, 3).toText() + " ";
        db.CloseTable(handle);
        return text;
    }

    ThrowawayCluster cluster;
    Till front{"前台"};
    Till back{"后厨"};
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST_F(SettlementOutage, TillsSettleOnAfterTheServerRestarts) {
    ASSERT_EQ(front.settle().outcome, Settlement::Outcome::Done);
    cluster.halt();
    const Settlement::Result refused = front.settle();
    EXPECT_EQ(refused.outcome, Settlement::Outcome::NotStored);
    EXPECT_NE(refused.message.find("连接不上数据库服务器 127.0.0.1:" + cluster.port()),
              std::string::npos)
        << refused.message;
    EXPECT_NE(refused.message.find("订单仍保留在屏幕上"), std::string::npos);
    // The status bar says why it shows no counters.
    const ReadResult<TodayCounters> unread = nextOrderNumber(back.db, back.clock.now());
    EXPECT_EQ(unread.failure(), StorageFailure::Unreachable);
    cluster.resume();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    // Both tills showed number 2; the second to settle takes 3.
    const std::vector<OrderLine> lines(1, OrderLine{"酸菜鱼", "1", "份", "16"});
    ASSERT_EQ(back.settlement.store(deliveryOrder("2", lines, "16", "16")).outcome,
              Settlement::Outcome::Done);
    EXPECT_EQ(front.settlement.store(deliveryOrder("2", lines, "16", "16")).outcome,
              Settlement::Outcome::Done);
    EXPECT_EQ(front.settlement.storedNumber(), "3");
    EXPECT_EQ(stored(), "1前台2 2后厨1 3前台1 ");
}

TEST_F(SettlementOutage, AFrozenServerIsReportedWithinFifteenSeconds) {
    ASSERT_EQ(front.settle().outcome, Settlement::Outcome::Done);
    cluster.freeze();
    const auto start = std::chrono::steady_clock::now();
    const Settlement::Result refused = front.settle();
    const ReadResult<TodayCounters> unread = nextOrderNumber(front.db, front.clock.now());
    EXPECT_LT(secondsSince(start), 15.0);
    EXPECT_EQ(refused.outcome, Settlement::Outcome::NotStored);
    EXPECT_NE(refused.message.find("连接不上数据库服务器"), std::string::npos) << refused.message;
    EXPECT_FALSE(unread.ok());
    cluster.thaw();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_EQ(front.settle().outcome, Settlement::Outcome::Done);
    EXPECT_EQ(stored(), "1前台2 2前台2 ");
}
