#include "support/TestDatabase.h"

#include "receipt/ReceiptSettings.h"
#include "storage/config/ProgramFolder.h"
#include "storage/config/SettingsStore.h"
#include "storage/engine/DbTransaction.h"
#include "storage/engine/StorageStartup.h"
#include "storage/values/Values.h"

#include <gtest/gtest.h>

namespace {

bool open(Database& db, TestDatabase::Start start, const ServerDatabase* server) {
    using Start = TestDatabase::Start;
    if (server) {
        if (!db.openServer(server->connection()) ||
            (start != Start::Template && !SettingsStore(db).seedFirstStart()))
            return false;
    } else if (start == Start::Template) {
        return db.open(ProgramFolder::databasePath(), StorageStartup::password);
    } else if (!StorageStartup::openDatabase(db)) {
        return false;
    }
    if (start == Start::Receipt)
        seedReceiptDefaults(db);
    return true;
}

} // namespace

TestDatabase::TestDatabase(Start start, DateTime now, Engine engine)
    : clock(now), m_engine(engine) {
    if (engine == Engine::Server && !ServerDatabase::server().empty())
        server = std::make_unique<ServerDatabase>();
    db.setClock(clock);
    if (serverMissing())
        return;
    if (!open(db, start, server.get()))
        ADD_FAILURE() << "cannot open " << ProgramFolder::databasePath() << ": " << db.lastError();
}

TestDatabase::TestDatabase(Engine engine, Start start)
    : TestDatabase(start, DateTime{2026, 12, 8, 12, 0, 0}, engine) {}

TestDatabase::~TestDatabase() {
    db.close();
}

void OnBothEngines::SetUp() {
    if (GetParam() == TestDatabase::Engine::Server && ServerDatabase::server().empty())
        GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
    addRows();
}

std::string engineName(const ::testing::TestParamInfo<TestDatabase::Engine>& info) {
    return info.param == TestDatabase::Engine::Server ? "server" : "sqlite";
}

void PrintTo(TestDatabase::Engine engine, std::ostream* out) {
    *out << (engine == TestDatabase::Engine::Server ? "server" : "sqlite");
}

bool TestDatabase::execute(const std::string& sql) {
    const bool done = db.ExecuteSql(sql);
    EXPECT_TRUE(done) << sql << ": " << db.lastError();
    return done;
}

std::string TestDatabase::scalar(const std::string& sql) {
    const int handle = db.OpenTable(sql);
    EXPECT_NE(handle, 0) << sql << ": " << db.lastError();
    const std::string value = db.ReadColByIndex(handle, 1).toText();
    db.CloseTable(handle);
    return value;
}

int TestDatabase::count(const std::string& sql) {
    return Values::textToInt(scalar(sql));
}

std::vector<Row> TestDatabase::rows(const std::string& sql,
                                    const std::vector<std::string>& columns) {
    std::vector<Row> out;
    const int handle = db.OpenTable(sql);
    EXPECT_NE(handle, 0) << sql << ": " << db.lastError();
    for (; handle != 0 && !db.IsEOF(handle); db.MoveNext(handle)) {
        Row row;
        for (const std::string& column : columns)
            row[column] = db.ReadColByName(handle, column).toText();
        out.push_back(row);
    }
    db.CloseTable(handle);
    return out;
}

// Numbers go in unquoted, as the test wrote them.
long long TestDatabase::addOrder(const OrderRow& o) {
    using Values::sqlQuote;
    execute("insert into 存单 (编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,已付,"
            "实付,桌号,电话,姓名,地址,是否结算,备注) values (" +
            o.number + ",'票头','店'," + sqlQuote(o.time) + ",'无',0,0," + o.total +
            ",'现金支付'," + o.paid + "," + o.paid + "," + sqlQuote(o.table) + "," +
            sqlQuote(o.telephone) + ",'张三'," + sqlQuote(o.address) + ",'1'," +
            sqlQuote(o.remark) + ")");
    return db.lastInsertId();
}

void TestDatabase::addOrders(int count) {
    DbTransaction transaction(db);
    for (int i = 0; i < count; ++i)
        addOrder({});
    EXPECT_TRUE(transaction.commit()) << db.lastError();
}

void TestDatabase::addLine(long long orderId, const std::string& saleTime, const std::string& dish,
                           const std::string& quantity, const std::string& subtotal) {
    using Values::sqlQuote;
    execute("insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" +
            std::to_string(orderId) + "," + sqlQuote(saleTime) + "," + sqlQuote(dish) + "," +
            quantity + ",'份'," + subtotal + ")");
}

void TestDatabase::addCustomer(const std::string& telephone, const std::string& name,
                               const std::string& address) {
    using Values::sqlQuote;
    execute("insert into 客户 (电话,姓名,地址) values (" + sqlQuote(telephone) + "," +
            sqlQuote(name) + "," + sqlQuote(address) + ")");
}
