#include "history/ChangeLog.h"
#include "history/StoredOrders.h"
#include "orders/OrderEditor.h"
#include "orders/OrderTime.h"
#include "orders/Settlement.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Deleting, editing, F11 and a reprint each leave one record, written in the
// transaction of the change: a failure of either side leaves neither. A print
// is recorded before the receipt goes out, so no transaction waits on the
// printer; one that then fails adds a record saying so.
class ChangeRecordTest : public ::testing::Test {
  public:
    void SetUp() override {
        id = data.addOrder({.time = "2016-05-15 12:30:00", .total = "60", .table = "A'1"});
        data.addLine(id, "2016-05-15 12:30:00", "鱼香肉丝");
        data.addLine(id, "2016-05-15 12:30:00", "宫保鸡丁");
        idText = std::to_string(id);
    }

    // A trigger that makes SQLite refuse the statement, as a full disk would.
    void refuse(const std::string& when) {
        ASSERT_EQ(sqlite3_exec(data.db.connection(),
                               ("create trigger refuse " + when +
                                " begin select raise(abort,'refused'); end")
                                   .c_str(),
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    int records() { return data.count("select count(*) from 操作记录"); }
    int lines() { return data.count("select count(*) from 存单详单 where 存单ID=" + idText); }
    std::string table() { return data.scalar("select 桌号 from 存单 where ID=" + idText); }

    OrderDraft loaded() {
        OrderEditor editor(data.db);
        return OrderEditor::loadedDraft(OrderDraft{}, *editor.loadOrder(idText),
                                        *editor.loadLines(idText, "2016年5月15日"),
                                        OrderTime::MonthDay);
    }

    TestDatabase data{TestDatabase::Start::Template};
    long long id = 0;
    std::string idText;
};

struct Action {
    const char* name;
    ChangeLog::Kind kind;
    // Runs the change; printed tells a print job whether the receipt came out.
    bool (*run)(ChangeRecordTest& t, Database& db, const OrderDraft& loaded, bool printed);
    const char* refuseChange; // a trigger that fails the change, or nullptr for a print
    bool storedOrder;         // the record names the order's ID
    bool hasBefore;
    bool hasAfter;
};

bool printWith(Database& db, const OrderDraft& order, bool printed, bool& jobRan) {
    const auto job = [&](const std::function<bool()>& startJob) {
        if (!startJob())
            return false;
        EXPECT_FALSE(db.inTransaction()) << "no transaction waits on the printer";
        jobRan = true;
        return printed;
    };
    return RecordedPrint(db).print(order, job).outcome == RecordedPrint::Outcome::Printed;
}

const Action actions[] = {
    {"删除", ChangeLog::Kind::Deletion,
     [](ChangeRecordTest& t, Database& db, const OrderDraft&, bool) {
         return StoredOrders(db).deleteOrder(std::to_string(t.id));
     },
     "before delete on 存单", true, true, false},
    {"修改", ChangeLog::Kind::Edit,
     [](ChangeRecordTest&, Database& db, const OrderDraft& loaded, bool) {
         OrderDraft d = loaded;
         d.table = "B2";
         d.lines = {{"水煮鱼", "1", "份", "38"}, {}};
         return OrderEditor(db).saveEditedOrder(d).outcome == OrderEditor::Outcome::Saved;
     },
     "before update on 存单", true, true, true},
    {"F11", ChangeLog::Kind::PrintOnly,
     [](ChangeRecordTest&, Database& db, const OrderDraft& loaded, bool printed) {
         OrderDraft d = loaded;
         d.orderId.clear();
         bool jobRan = false;
         return printWith(db, d, printed, jobRan);
     },
     nullptr, false, false, true},
    {"重打", ChangeLog::Kind::Reprint,
     [](ChangeRecordTest&, Database& db, const OrderDraft& loaded, bool printed) {
         bool jobRan = false;
         return printWith(db, loaded, printed, jobRan);
     },
     nullptr, true, false, true},
};

TEST_F(ChangeRecordTest, EachChangeLeavesOneRecordOfBeforeAndAfter) {
    for (const Action& a : actions) {
        SCOPED_TRACE(a.name);
        const OrderDraft draft = loaded();
        ASSERT_TRUE(a.run(*this, data.db, draft, true));
        const std::string last = data.scalar("select max(ID) from 操作记录");
        const std::optional<ChangeLog::Record> r = ChangeLog(data.db).read(last);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->kind, ChangeLog::kindName(a.kind));
        EXPECT_EQ(r->orderId, a.storedOrder ? idText : "");
        EXPECT_EQ(r->number, "1");
        EXPECT_FALSE(r->time.empty());
        EXPECT_EQ(data.scalar("select 收银台 from 操作记录 where ID=" + last), data.db.tillName());
        EXPECT_EQ(r->before.find("桌号：A'1\n") != std::string::npos, a.hasBefore) << r->before;
        EXPECT_EQ(r->before.find("鱼香肉丝  2份  30\n") != std::string::npos, a.hasBefore);
        EXPECT_EQ(!r->after.empty(), a.hasAfter);
        if (a.kind == ChangeLog::Kind::Edit) {
            EXPECT_NE(r->after.find("桌号：B2\n"), std::string::npos) << r->after;
            EXPECT_NE(r->after.find("菜品：1 行\n水煮鱼  1份  38\n"), std::string::npos);
        }
        if (a.hasAfter && a.kind != ChangeLog::Kind::Edit)
            EXPECT_NE(r->after.find("宫保鸡丁  2份  30\n"), std::string::npos) << r->after;
        // Put the order back for the next action.
        data.execute("Delete * from 存单");
        data.execute("Delete * from 存单详单");
        SetUp();
    }
    EXPECT_EQ(records(), 4);
}

TEST_F(ChangeRecordTest, AFailedChangeLeavesNoRecordAndAFailedRecordNoChange) {
    for (const Action& a : actions) {
        SCOPED_TRACE(a.name);
        const OrderDraft draft = loaded();
        const int before = records();
        if (a.refuseChange) {
            refuse(a.refuseChange);
            EXPECT_FALSE(a.run(*this, data.db, draft, true));
            EXPECT_EQ(records(), before);
        } else {
            EXPECT_FALSE(a.run(*this, data.db, draft, false)) << "the receipt did not print";
            ASSERT_EQ(records(), before + 2);
            const auto failure =
                ChangeLog(data.db).read(data.scalar("select max(ID) from 操作记录"));
            ASSERT_TRUE(failure);
            EXPECT_EQ(failure->kind, ChangeLog::kindName(ChangeLog::Kind::NotPrinted));
            EXPECT_EQ(failure->orderId, a.storedOrder ? idText : "");
            EXPECT_EQ(failure->number, "1");
        }
        if (a.refuseChange)
            data.execute("drop trigger refuse");

        refuse("before insert on 操作记录");
        bool jobRan = false;
        if (a.refuseChange)
            EXPECT_FALSE(a.run(*this, data.db, draft, true));
        else
            EXPECT_EQ(RecordedPrint(data.db)
                          .print(draft,
                                 [&](const std::function<bool()>& startJob) {
                                     return startJob() && (jobRan = true);
                                 })
                          .outcome,
                      RecordedPrint::Outcome::NotRecorded);
        EXPECT_FALSE(jobRan) << "a receipt whose record fails is not printed";
        EXPECT_EQ(lines(), 2);
        EXPECT_EQ(table(), "A'1");
        data.execute("drop trigger refuse");
    }
}

} // namespace
