// Receipt preview redraw, the database work of a settlement, and F12 to the
// last byte on a thermal printer.
#include "MustExecute.h"
#include "orders/OrderNumbering.h"
#include "orders/OrderReceipt.h"
#include "orders/Settlement.h"
#include "storage/config/SettingsStore.h"
#include "support/PrinterListener.h"
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"
#include "ui/receipt/PreviewWindow.h"
#include "ui/receipt/ReceiptPrinter.h"

#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

// The delivery order of three dishes, with thirty instead.
ReceiptOrder thirtyLineOrder() {
    OrderDraft d = threeDishOrder();
    d.lines.clear();
    for (int i = 0; i < 30; ++i)
        d.lines.push_back({"香菇猪肉水饺" + std::to_string(i), "2", "碗", "32"});
    d.lines.push_back({});
    d.total = "960";
    d.paid = "950";
    return receiptOrderOf(d);
}

struct Folder : TestDatabase {
    Folder() : TestDatabase(Start::Receipt, DateTime{2018, 3, 1, 12, 0, 0}) {}
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

PreviewWindow* openPreview(Database& db, QWidget& owner) {
    auto* preview = new PreviewWindow(db, &owner, thirtyLineOrder);
    preview->show();
    QCoreApplication::processEvents();
    return preview;
}

// "预览" pressed: the window built, placed beside the order window, drawn
// and shown.
void previewOpen(benchmark::State& state) {
    Folder folder;
    QWidget owner;
    owner.setGeometry(0, 0, 1000, 700);
    owner.show();
    for (auto _ : state) {
        PreviewWindow* preview = openPreview(folder.db, owner);
        state.PauseTiming();
        delete preview;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(previewOpen)->Unit(benchmark::kMillisecond);

// One step of the cashier dragging either window: the other follows.
void previewMove(benchmark::State& state) {
    Folder folder;
    QWidget owner;
    owner.setGeometry(0, 0, 400, 500);
    owner.show();
    PreviewWindow* preview = openPreview(folder.db, owner);
    int step = 0;
    for (auto _ : state) {
        const int x = 10 + step++ % 100;
        if (state.range(0))
            preview->move(preview->x() == 500 ? 510 : 500, 10);
        else
            owner.move(x, 10);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(previewMove)->Arg(0)->Arg(1)->ArgName("dragPreview")->Unit(benchmark::kMillisecond);

OrderDraft draftAt(const DateTime& t, int number) {
    OrderDraft d = threeDishOrder();
    d.number = std::to_string(number);
    d.orderTime = t.canonical().substr(0, 16);
    d.telephone = "1380000" + std::to_string(number % 500);
    return d;
}

// 100,000 orders over the twelve months before the day of the benchmark.
void fillOrders(Database& db) {
    db.begin();
    for (int i = 0; i < 100000; ++i) {
        const DateTime t{2017, 1 + (i / 500) % 12, 1 + (i / 20) % 28, 8 + i % 12, i % 60, 0};
        mustExecute(db, "insert into 存单 (编号,票头,时间,合计,已付,实付,是否结算) values (" +
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
    int number = nextOrderNumber(folder.db, now)->nextNumber;
    for (auto _ : state) {
        if (settlement.store(draftAt(now, number)).outcome != Settlement::Outcome::Done)
            state.SkipWithError("not stored");
        if (state.range(0))
            number = nextOrderNumber(folder.db, now)->nextNumber;
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
