// What each change of stored data tells the cashier when the database cannot
// take it, what a NUL in a field does, and names that differ only in case.
#include "catalogue/CustomerFile.h"
#include "catalogue/DishCatalogue.h"
#include "catalogue/NamedList.h"
#include "catalogue/TableList.h"
#include "history/PagedList.h"
#include "history/StoredOrders.h"
#include "orders/DeliveryCustomer.h"
#include "orders/OrderDefaults.h"
#include "orders/OrderEditor.h"
#include "orders/OrderNumbering.h"
#include "orders/OrderSession.h"
#include "orders/Settlement.h"
#include "receipt/ReceiptSettingsForm.h"
#include "reports/IncomeReports.h"
#include "reports/SalesReports.h"
#include "storage/config/SettingsStore.h"
#include "storage/engine/StorageFailure.h"
#include "support/SampleOrders.h"
#include "support/StorageConditions.h"
#include "support/TestDatabase.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using Operation = std::function<std::string(Database&, int attempt)>;

OrderDraft order(int lines) {
    return deliveryOrder("1", std::vector<OrderLine>(lines, {"红烧排骨饭", "1", "份", "18"}), "36",
                         "36");
}

std::string settle(Database& db, const OrderDraft& d) {
    FixedClock clock{DateTime{2026, 12, 8, 12, 0, 0}};
    return Settlement(db, clock).store(d).message;
}

class StoredDataSafety : public ::testing::Test, public TestDatabase {
  protected:
    std::string file() {
        return StorageConditions::firstText(
            db.connection(), "select file from pragma_database_list where name='main'");
    }
    long long storedOrder() {
        settle(db, order(1));
        return db.lastInsertId();
    }
};

TEST_F(StoredDataSafety, FailuresSayWhatFailed) {
    const std::string editedId = std::to_string(storedOrder());
    const std::string path = file();
    const struct {
        const char* what;
        const char* table; // the table the operation changes first
        bool grows;        // whether it needs room on the disk
        Operation run;
    } operations[] = {
        {"settle", "存单", true, [](Database& d, int) { return settle(d, order(1)); }},
        {"edit", "存单详单", true,
         [&](Database& d, int attempt) {
             OrderDraft edited = order(attempt + 1);
             edited.orderId = editedId;
             const OrderEditor::Result result = OrderEditor(d).saveEditedOrder(edited);
             return result.outcome == OrderEditor::Outcome::Saved ? std::string() : result.message;
         }},
        {"delete order", "存单详单", false,
         [&](Database& d, int) {
             StoredOrders orders(d);
             return orders.deleteOrder(editedId) ? std::string() : orders.deleteFailure();
         }},
        {"add to a list", "减免", true,
         [](Database& d, int attempt) {
             const int result =
                 NamedList::discounts().addListEntry(d, {}, "优惠" + std::to_string(attempt));
             return result == 1 ? std::string() : NamedList::addMessage(result, d);
         }},
        {"delete from a list", "减免", false,
         [](Database& d, int) {
             int entry = -1;
             const int result =
                 NamedList::discounts().deleteListEntry(d, {"开业酬宾"}, "开业酬宾", entry);
             return result == 1 ? std::string() : NamedList::deleteMessage(result, d);
         }},
        {"add a dish", "菜单", true,
         [](Database& d, int attempt) {
             const std::string n = std::to_string(attempt);
             const ListOutcome outcome = DishCatalogue(d).addDish(
                 DishInput::fromFields("9" + n, "", "新菜" + n, "12", "份"), {});
             return outcome.kind == ListOutcome::Kind::Done ? std::string() : outcome.message;
         }},
        {"add a customer", "客户", true,
         [](Database& d, int attempt) {
             const auto result = CustomerFile(d).addCustomer(
                 {"", "139" + std::to_string(attempt), "李四", "北街"}, [](auto&) { return true; });
             return result.outcome == CustomerFile::Outcome::Added ? std::string() : result.message;
         }},
        {"save settings", "记录", true,
         [](Database& d, int attempt) {
             SettingsStore settings(d);
             return settings.setAll({{"键" + std::to_string(attempt), std::string(200, 'x')}})
                        ? std::string()
                        : settings.failureMessage("保存设置");
         }},
    };
    const struct {
        const char* condition;
        const char* says;
    } conditions[] = {{"disk full", "磁盘空间已满"},
                      {"read-only folder", "只读"},
                      {"damaged page", "已损坏"},
                      {"busy", "其他程序使用"}};
    for (const auto& op : operations)
        for (const auto& c : conditions) {
            const std::string condition = c.condition;
            if (condition == "disk full" && !op.grows)
                continue;
            // Each pair starts on a copy of the same sound file.
            db.close();
            const std::string copy = path + ".copy";
            std::filesystem::copy_file(path, copy,
                                       std::filesystem::copy_options::overwrite_existing);
            std::string told;
            if (condition == "read-only folder") {
                told = StorageConditions::inReadOnlyFolder(
                    path, [&](Database& d) { return op.run(d, 1); });
            } else {
                ASSERT_TRUE(db.NewOpenDatabase(Database::primaryConnectionText(path, "tw")));
                if (condition == "disk full") {
                    StorageConditions::fillDisk(db);
                    told = StorageConditions::firstFailure(
                        [&](int attempt) { return op.run(db, attempt); }, std::string());
                } else if (condition == "damaged page") {
                    StorageConditions::damageTable(db, path, op.table);
                    told = op.run(db, 1);
                } else {
                    StorageConditions::OtherWriter other(db, path);
                    told = op.run(db, 1);
                }
                db.close();
            }
            EXPECT_NE(told.find(c.says), std::string::npos)
                << op.what << " with " << c.condition << " told: " << told;
            std::filesystem::rename(copy, path);
        }
}

} // namespace

// Reads that fail on a file locked by another program or damaged: each says
// why and writes nothing.
class ReadFailures : public ::testing::Test, public TestDatabase {
  protected:
    ReadFailures() {
        const long long id = addOrder({.time = "2026-12-08 09:00:00", .telephone = "139"});
        addLine(id, "2026-12-08 09:00:00", "红烧排骨饭");
        addCustomer("139", "李四", "北街");
    }
    std::string path() const { return folder.file("data/data.mdb"); }
    // F12 on an order the window left without a number: today's orders
    // could not be read when it was cleared.
    Settlement::Result settleUnnumbered(Database& on) {
        OrderSession session(on, clock);
        session.clear(std::nullopt);
        OrderDraft unnumbered = order(1);
        unnumbered.number.clear();
        unnumbered.telephone.clear();
        session.setOrder(unnumbered);
        return session.settle([](auto&&...) { return true; }, {});
    }
    // What is stored: the file's bytes.
    std::string stored() { return TempFolder::read(path()); }
    // The table and every index on it, so that no read finds a way round.
    void damage(const std::string& table) {
        std::istringstream names(StorageConditions::firstText(
            db.connection(),
            "select group_concat(name,' ') from sqlite_master where tbl_name='" + table + "'"));
        for (std::string name; names >> name;)
            StorageConditions::damageTable(db, path(), name);
    }
};

TEST_F(ReadFailures, SayWhyAndWriteNothing) {
    auto yes = [](const std::string&) { return true; };
    const std::string today = "2026年12月8日";
    const struct {
        const char* what;
        const char* table; // the table its reads need
        std::function<std::string(Database&)> run;
    } operations[] = {
        {"numbering", "存单",
         [&](Database& d) {
             if (const auto counters = nextOrderNumber(d, clock.now()))
                 return "read as number " + std::to_string(counters->nextNumber);
             return settleUnnumbered(d).message;
         }},
        {"customer lookup", "客户",
         [](Database& d) {
             if (DeliveryCustomer::lookupCustomerByPhone(d, "139"))
                 return std::string("read as an answer");
             return DeliveryCustomer::saveNew(d, "139", "王五", "南街").message;
         }},
        {"customer at settlement", "客户",
         [](Database& d) {
             OrderDraft known = order(1);
             known.telephone = "139";
             return settle(d, known);
         }},
        {"customer file", "客户",
         [&](Database& d) {
             return CustomerFile(d).addCustomer({"", "139", "王五", "南街"}, yes).message;
         }},
        {"history page", "存单",
         [](Database& d) {
             const PagedList list(PagedList::Kind::Orders);
             int page = 1;
             const auto shown = list.showPage(d, page);
             return shown ? std::string("shown") : list.failureMessage(shown.readFailure());
         }},
        {"income report", "存单",
         [&](Database& d) { return IncomeReports(d, folder.path()).day(today).failure(); }},
        {"sales report", "存单详单",
         [&](Database& d) {
             SalesReportState state;
             return SalesReports(d, folder.path(), state).day(today).failure();
         }},
    };
    enum class Condition { Locked, Damaged };
    const Condition conditions[] = {Condition::Locked, Condition::Damaged};
    const std::string sound = path() + ".sound";
    std::filesystem::copy_file(path(), sound);
    for (const auto& op : operations)
        for (const Condition condition : conditions) {
            std::string told, before, after;
            StorageFailure cause = StorageFailure::Busy;
            if (condition == Condition::Locked) {
                StorageConditions::OtherWriter other(db, path());
                before = stored();
                told = op.run(db);
            } else {
                damage(op.table);
                before = stored();
                told = op.run(db);
                cause = StorageFailure::Damaged;
            }
            after = stored();
            EXPECT_NE(told.find(StorageFailures::reason(cause)), std::string::npos)
                << op.what << " told: " << told;
            EXPECT_EQ(after, before) << op.what << " wrote";
            // Each pair starts on the sound data again.
            db.close();
            std::filesystem::copy_file(sound, path(),
                                       std::filesystem::copy_options::overwrite_existing);
            ASSERT_TRUE(db.NewOpenDatabase(Database::primaryConnectionText(path(), "tw")));
        }
}

TEST_F(ReadFailures, AnOrderLeftUnnumberedTakesTheNextNumberOnceTheLockIsGone) {
    {
        StorageConditions::OtherWriter other(db, path());
        EXPECT_FALSE(nextOrderNumber(db, clock.now()));
    }
    const Settlement::Result result = settleUnnumbered(db);
    ASSERT_EQ(result.outcome, Settlement::Outcome::Done) << result.message;
    EXPECT_EQ(count("select count(*) from 存单 where 编号=1"), 1) << "no twin of the first order";
    EXPECT_EQ(scalar("select 编号 from 存单 where ID=" + std::to_string(result.orderId)), "2");
}

TEST_F(StoredDataSafety, ANulIsRefusedNamingItsField) {
    // A NUL cannot be stored; the other control characters would reach a
    // receipt printer as commands (ESC p 0 opens the drawer).
    std::string text("少\0辣", 7);
    const long long stored = storedOrder();
    const struct {
        const char* field;
        std::function<std::string()> run;
        bool controls = true; // also refuses the other control characters
    } cases[] = {
        {"“备注”",
         [&] {
             OrderDraft d = order(1);
             d.remark = text;
             return settle(db, d);
         }},
        {"“菜名”",
         [&] {
             OrderDraft d = order(1);
             d.lines[0].dishName = text;
             return settle(db, d);
         }},
        {"“地址”",
         [&] {
             OrderDraft d = order(1);
             d.orderId = std::to_string(stored);
             d.address = text;
             return OrderEditor(db).saveEditedOrder(d).message;
         }},
        {"“菜品名称”",
         [&] {
             return DishCatalogue(db)
                 .addDish(DishInput::fromFields("901", "", text, "12", "份"), {})
                 .message;
         }},
        {"“桌号名称”", [&] { return TableList(db).add("901", text, {}).message; }},
        {"“客户电话”",
         [&] {
             return CustomerFile(db)
                 .addCustomer({"", text, "李四", "北街"}, [](auto&) { return true; })
                 .message;
         }},
        {"“附带信息1”",
         [&] {
             SettingsStore settings(db);
             ReceiptSettingsForm form = ReceiptSettingsForm::load(settings, "");
             form.extra1Text = text;
             return form.save(settings, "");
         }},
        // A name is freed of NULs where it is typed; one that still holds a
        // NUL fails with the cause.
        {"空字符",
         [&] {
             const int result = NamedList::discounts().addListEntry(db, {}, text);
             return NamedList::addMessage(result, db);
         },
         false},
        {"“店铺名称”",
         [&] {
             OrderDefaults defaults;
             defaults.shop = text;
             return defaults.refusal();
         }},
        {"空字符",
         [&] {
             SettingsStore settings(db);
             OrderDefaults defaults;
             defaults.header = text;
             return defaults.save(settings) ? std::string()
                                            : settings.failureMessage("保存默认设置");
         },
         false},
    };
    for (const auto& c : cases)
        EXPECT_NE(c.run().find(c.field), std::string::npos) << c.field;
    text = "可乐\x1Bp0\x19\x19";
    for (const auto& c : cases)
        if (c.controls) {
            const std::string told = c.run();
            EXPECT_NE(told.find(c.field), std::string::npos) << told;
            EXPECT_NE(told.find("控制字符"), std::string::npos) << told;
        }
    const auto shops = [&] {
        return StorageConditions::firstText(db.connection(), "select count(*) from 店名");
    };
    const std::string shopsBefore = shops();
    EXPECT_NE(NamedList::addMessage(NamedList::shopNames().addListEntry(db, {}, text), db)
                  .find("控制字符"),
              std::string::npos);
    EXPECT_EQ(shops(), shopsBefore);
    text = "少放辣\r\n不要葱\t谢谢";
    EXPECT_EQ(StorageFailures::textRefusal({{"备注", &text}}), "") << "tab and line breaks stay";
    const std::pair<const char*, const char*> unchanged[] = {{"存单", "1"},  {"存单详单", "1"},
                                                             {"菜单", "28"}, {"桌号", "18"},
                                                             {"减免", "4"},  {"客户", "1"}};
    for (const auto& [table, count] : unchanged)
        EXPECT_EQ(StorageConditions::firstText(db.connection(),
                                               std::string("select count(*) from ") + table),
                  count)
            << table;
}

// A text longer than its column is refused before any statement, naming the
// field and how long it may be; nothing is stored.
TEST_F(StoredDataSafety, AnOverLongTextIsRefusedNamingItsFieldAndItsLimit) {
    const auto chinese = [](int length) {
        std::string text;
        for (int i = 0; i < length; ++i)
            text += "字";
        return text;
    };
    const auto customer = [&](const Customer& typed) {
        return CustomerFile(db).addCustomer(typed, [](auto&) { return true; }).message;
    };
    const struct {
        const char* message;
        std::function<std::string()> run;
    } cases[] = {
        {"数字代号不能超过8个字。",
         [&] {
             return DishCatalogue(db)
                 .addDish(DishInput::fromFields("123456789", "", "新菜", "12", "份"), {})
                 .message;
         }},
        {"菜名不能超过32个字。",
         [&] {
             return DishCatalogue(db)
                 .addDish(DishInput::fromFields("901", "", chinese(33), "12", "份"), {})
                 .message;
         }},
        {"单位不能超过8个字。",
         [&] {
             return DishCatalogue(db)
                 .modifyDish(DishInput::fromFields("001", "", "红烧排骨饭", "12", chinese(9)),
                             *DishCatalogue(db).loadDishList())
                 .message;
         }},
        {"桌号名称不能超过24个字。",
         [&] { return TableList(db).add("901", chinese(25), {}).message; }},
        {"数字代号不能超过8个字。",
         [&] { return TableList(db).add("123456789", "九桌", {}).message; }},
        {"电话不能超过16个字。",
         [&] {
             return customer({"", std::string(17, '1'), "李四", "北街"});
         }},
        {"姓名不能超过16个字。",
         [&] {
             return customer({"", "139", chinese(17), "北街"});
         }},
        {"地址不能超过255个字。",
         [&] {
             return customer({"", "139", "李四", chinese(256)});
         }},
        {"减免名称不能超过16个字。",
         [&] { return NamedList::discounts().lengthRefusal(chinese(17)); }},
        {"单位名称不能超过8个字。", [&] { return NamedList::units().lengthRefusal(chinese(9)); }},
        {"保存默认设置失败：票头不能超过255个字。设置没有改动。",
         [&] {
             SettingsStore settings(db);
             OrderDefaults defaults;
             defaults.header = chinese(256);
             return defaults.save(settings) ? std::string()
                                            : settings.failureMessage("保存默认设置");
         }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.run(), c.message);
    EXPECT_EQ(NamedList::units().lengthRefusal(chinese(8)), "");
    const std::pair<const char*, const char*> unchanged[] = {
        {"菜单", "28"}, {"桌号", "18"}, {"客户", "0"}, {"记录 where length(记录信息) > 255", "0"}};
    for (const auto& [table, count] : unchanged)
        EXPECT_EQ(StorageConditions::firstText(db.connection(),
                                               std::string("select count(*) from ") + table),
                  count)
            << table;
    EXPECT_EQ(
        StorageConditions::firstText(db.connection(), "select 单位 from 菜单 where 代码 = '001'"),
        "份");
}

TEST_F(StoredDataSafety, NamesThatDifferOnlyInCaseAreDifferentRows) {
    auto count = [&](const std::string& table, const std::string& condition) {
        return StorageConditions::firstText(db.connection(), "select count(*) from " + table +
                                                                 " where " + condition);
    };
    for (const NamedList* list : {&NamedList::receiptHeaders(), &NamedList::shopNames(),
                                  &NamedList::discounts(), &NamedList::units()}) {
        ASSERT_EQ(list->addListEntry(db, {}, "VIP"), 1);
        ASSERT_EQ(list->addListEntry(db, {"VIP"}, "vip"), 1) << list->table();
        int entry = -1;
        ASSERT_EQ(list->deleteListEntry(db, {"VIP", "vip"}, "vip", entry), 1);
        EXPECT_EQ(count(list->table(), list->column() + "='VIP'"), "1") << list->table();
        EXPECT_EQ(count(list->table(), list->column() + "='vip'"), "0") << list->table();
    }

    TableList tables(db);
    ASSERT_EQ(tables.add("91", "A1", {}).kind, ListOutcome::Kind::Done);
    ASSERT_EQ(tables.add("92", "a1", *tables.load()).kind, ListOutcome::Kind::Done);
    ASSERT_EQ(tables.modify("93", "a1", *tables.load()).kind, ListOutcome::Kind::Done);
    ASSERT_TRUE(tables.remove({"", "93", "a1"}));
    EXPECT_EQ(count("桌号", "桌号名称='A1' and 代号='91'"), "1");
    EXPECT_EQ(count("桌号", "桌号名称 in ('a1','A1')"), "1");

    DishCatalogue dishes(db);
    ASSERT_EQ(dishes.addDish(DishInput::fromFields("901", "", "Coke", "3", "瓶"), {}).kind,
              ListOutcome::Kind::Done);
    ASSERT_EQ(
        dishes.addDish(DishInput::fromFields("902", "", "COKE", "4", "瓶"), *dishes.loadDishList())
            .kind,
        ListOutcome::Kind::Done);
    ASSERT_EQ(
        dishes
            .modifyDish(DishInput::fromFields("903", "", "COKE", "5", "瓶"), *dishes.loadDishList())
            .kind,
        ListOutcome::Kind::Done);
    EXPECT_EQ(count("菜单", "菜名='Coke' and 代码='901' and 价格=3"), "1");
    ASSERT_TRUE(dishes.deleteDish({"", "903", "", "COKE", "5", "瓶"}));
    EXPECT_EQ(count("菜单", "菜名 in ('Coke','COKE')"), "1");

    CustomerFile customers(db);
    auto yes = [](const std::string&) { return true; };
    for (const char* phone : {"null", "NULL"})
        ASSERT_EQ(customers.addCustomer({"", phone, phone, "北街"}, yes).outcome,
                  CustomerFile::Outcome::Added);
    EXPECT_EQ((*customers.findByTelephone("NULL"))->name, "NULL");
    OrderDraft d = order(1);
    d.telephone = "NULL";
    settle(db, d);
    EXPECT_EQ(count("客户", "电话='NULL' and 订餐次数=1"), "1");
    EXPECT_EQ(count("客户", "电话='null' and 订餐次数 is null"), "1");
    ASSERT_TRUE(customers.deleteCustomer("null"));
    EXPECT_EQ(count("客户", "电话 in ('null','NULL')"), "1");
}
