// Receipt preview redraw, the database work of a settlement, and F12 to the
// last byte on a thermal printer.
// Database.h names a member "slots", so it comes before any Qt header.
#include "storage/Database.h"

#include "orders/OrderDraft.h"
#include "orders/OrderNumbering.h"
#include "orders/OrderReceipt.h"
#include "orders/Settlement.h"
#include "receipt/PrinterListener.h"
#include "receipt/ReceiptOrder.h"
#include "receipt/ReceiptSettings.h"
#include "storage/Clock.h"
#include "storage/ProgramFolder.h"
#include "storage/SettingsStore.h"
#include "storage/StorageStartup.h"
#include "ui/receipt/PreviewWindow.h"
#include "ui/receipt/ReceiptPrinter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

ReceiptOrder thirtyLineOrder() {
    ReceiptOrder o;
    o.number = "27";
    o.header = "微信点餐";
    o.shop = "白云快餐";
    o.paymentMethod = "微信支付";
    o.orderTime = "05-15 12:30";
    for (int i = 0; i < 30; ++i)
        o.dishes.push_back({"香菇猪肉水饺" + std::to_string(i), "2", "碗", "32"});
    o.dishes.push_back({});
    o.total = "960";
    o.discountName = "立减优惠";
    o.discountCount = "1";
    o.discountAmount = "10";
    o.paid = "950";
    o.table = "号牌 3";
    o.customerName = "张三";
    o.customerPhone = "13800001111";
    o.address = "人民路 88 号 3 栋 2 单元 501 室";
    o.remark = "少放辣，不要葱";
    return o;
}

struct Folder {
    QTemporaryDir dir;
    FixedClock clock{DateTime{2018, 3, 1, 12, 0, 0}};
    Database db;
    Folder() {
        ProgramFolder::setPath(dir.path().toStdString());
        db.setClock(clock);
        StorageStartup::openDatabase(db);
        seedReceiptDefaults(db);
    }
};

void previewRedraw(benchmark::State& state) {
    Folder folder;
    QWidget owner;
    owner.resize(1000, 700);
    PreviewWindow preview(folder.db, &owner, thirtyLineOrder);
    for (auto _ : state)
        preview.renderPreview();
}
BENCHMARK(previewRedraw)->Unit(benchmark::kMillisecond);

OrderDraft draftAt(const DateTime& t, int number) {
    OrderDraft d;
    d.number = std::to_string(number);
    d.header = "微信点餐";
    d.shop = "白云快餐";
    d.orderTime = t.canonical().substr(0, 16);
    d.discountName = "无";
    d.total = "50";
    d.paid = "50";
    d.actuallyPaid = "50";
    d.paymentMethod = "现金支付";
    d.telephone = "1380000" + std::to_string(number % 500);
    d.name = "顾客";
    d.lines = {{"红烧排骨饭", "2", "份", "36"}, {"茄子豆角", "1", "份", "14"}, {}};
    return d;
}

// 100,000 orders over the twelve months before the day of the benchmark.
void fillOrders(Database& db) {
    db.begin();
    for (int i = 0; i < 100000; ++i) {
        const DateTime t{2017, 1 + (i / 500) % 12, 1 + (i / 20) % 28, 8 + i % 12, i % 60, 0};
        db.ExecuteSql("insert into 存单 (编号,票头,时间,合计,已付,实付,是否结算) values (" +
                      std::to_string(i % 500 + 1) + ",'微信点餐','" + t.canonical() +
                      "',50,50,50,'1')");
    }
    db.commit();
}

// What F12 costs in the database: the order, its lines and the customer in
// one transaction, then the next number and today's counters.
void settlementOnLargeDatabase(benchmark::State& state) {
    Folder folder;
    fillOrders(folder.db);
    const DateTime now = folder.clock.now();
    Settlement settlement(folder.db, folder.clock);
    int number = nextOrderNumber(folder.db, now).nextNumber;
    for (auto _ : state) {
        if (settlement.store(draftAt(now, number)).outcome != Settlement::Outcome::Done)
            state.SkipWithError("not stored");
        if (state.range(0))
            number = nextOrderNumber(folder.db, now).nextNumber;
        else
            ++number;
    }
}
BENCHMARK(settlementOnLargeDatabase)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("withNumbering")
    ->Unit(benchmark::kMillisecond);

// F12 on a thirty-line order with a thermal printer on a local port: the
// order stored, the receipt drawn and every byte taken by the printer.
void thermalSettlement(benchmark::State& state) {
    Folder folder;
    PrinterListener printer;
    SettingsStore settings(folder.db);
    settings.set("打印方式", "ESCPOS");
    settings.set("打印机连接", printer.connection());
    settings.set("热敏打印模式", state.range(0) ? "图像" : "文字");
    settings.set("结算开钱箱", "1");
    const DateTime now = folder.clock.now();
    Settlement settlement(folder.db, folder.clock);
    int number = 1;
    for (auto _ : state) {
        OrderDraft draft = draftAt(now, number++);
        draft.lines.clear();
        for (int i = 0; i < 30; ++i)
            draft.lines.push_back({"香菇猪肉水饺" + std::to_string(i), "2", "碗", "32"});
        const auto result = settlement.settle(draft, [&](bool withCopies) {
            return ReceiptPrinter(folder.db, nullptr)
                .printReceipt(receiptOrderOf(draft), withCopies, true);
        });
        if (result.outcome != Settlement::Outcome::Done || printer.nextJob().empty())
            state.SkipWithError("not printed");
    }
}
BENCHMARK(thermalSettlement)->Arg(0)->Arg(1)->ArgName("picture")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
