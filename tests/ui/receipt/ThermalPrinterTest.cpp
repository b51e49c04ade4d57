#include "ui/receipt/ThermalPrinter.h"
#include "history/ManagerPassword.h"
#include "orders/OrderReceipt.h"
#include "orders/Settlement.h"
#include "printer/GbkText.h"
#include "receipt/CreditPicture.h"
#include "receipt/PrinterSettings.h"
#include "storage/config/SettingsStore.h"
#include "storage/values/Clock.h"
#include "support/EscPosReader.h"
#include "support/PrinterListener.h"
#include "support/SampleOrders.h"
#include "support/StorageConditions.h"
#include "support/WindowTest.h"
#include "ui/receipt/CashDrawer.h"
#include "ui/receipt/ReceiptPrinter.h"

#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Kind = EscPosReader::Kind;

// Three dishes without the empty row the grid keeps: each must be printed.
// Paid in cash, the one payment that opens the drawer.
OrderDraft printedOrder() {
    OrderDraft order = deliveryOrder("7",
                                     {{"红烧排骨饭", "2", "份", "36"},
                                      {"西红柿炒蛋", "3", "份", "39"},
                                      {"香菇猪肉水饺", "1", "碗", "16"}},
                                     "91", "81");
    order.paymentMethod = "现金支付";
    return order;
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Root may write to any file, a cashier may not: permission faults are
// looked at as the user "nobody" when the tests run as root.
class AsCashier {
  public:
    explicit AsCashier(bool wanted) : m_dropped(wanted && geteuid() == 0 && seteuid(65534) == 0) {}
    ~AsCashier() {
        if (m_dropped)
            EXPECT_EQ(seteuid(0), 0);
    }

  private:
    bool m_dropped;
};

class ThermalPrinterTest : public WindowTest {
  protected:
    ThermalPrinterTest() : WindowTest(Start::Receipt) {}

    void SetUp() override {
        setSetting("打印方式", "ESCPOS");
        setSetting("打印机连接", listener.connection());
        setSetting("打印后切纸", "1");
        setSetting("结算开钱箱", "1");
        setSetting("打印份数", "3");
        setSetting("热敏打印模式", "文字");
        putReceiptPictures();
    }

    bool print(bool withCopies, bool settling, const OrderDraft& order = printedOrder()) {
        return ReceiptPrinter(db, nullptr)
            .printReceipt(receiptOrderOf(order), withCopies, settling);
    }
    // What the printer got: from the listener, or the file behind "dev:".
    EscPosReader printed(const std::string& connection) {
        const auto bytes =
            connection.rfind("dev:", 0) == 0 ? readFile(connection.substr(4)) : listener.nextJob();
        EscPosReader reader(bytes);
        EXPECT_TRUE(reader.unknown.empty()) << reader.unknown;
        return reader;
    }

    PrinterListener listener;
};

// The line of the dish, and where its quantity column ends, in printer columns.
struct DishLine {
    int length, quantityEnd;
};

DishLine dishLine(const std::vector<EscPosReader::Event>& lines, const OrderLine& dish) {
    const std::string quantity = dish.quantity + dish.unit;
    for (const auto& line : lines) {
        const std::string& t = line.text;
        const auto at = t.rfind(quantity);
        if (at != std::string::npos && t.size() >= dish.subtotal.size() &&
            t.compare(t.size() - dish.subtotal.size(), std::string::npos, dish.subtotal) == 0)
            return {GbkText::length(t), GbkText::length(t.substr(0, at + quantity.size()))};
    }
    ADD_FAILURE() << "no line for " << dish.dishName;
    return {};
}

TEST_F(ThermalPrinterTest, EveryWidthAndModePrintsThreeCopiesOnTheGrid) {
    const std::string capture = filePath("lp0").toStdString();
    const struct {
        const char* type;
        const char* mode;
        std::string connection;
        int dots;
    } cases[] = {{"0", "文字", listener.connection(), 384},
                 {"1", "文字", "dev:" + capture, 576},
                 {"0", "图像", "dev:" + capture, 384},
                 {"1", "图像", listener.connection(), 576}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + c.mode + c.connection);
        std::ofstream(capture, std::ios::trunc).flush();
        setSetting("小票类型", c.type);
        setSetting("热敏打印模式", c.mode);
        setSetting("打印机连接", c.connection);
        ASSERT_TRUE(print(true, true)) << boxes.lastText().toStdString();
        const EscPosReader r = printed(c.connection);

        const auto& e = r.events;
        EXPECT_EQ(r.count(Kind::Cut), 3);
        ASSERT_EQ(r.count(Kind::Drawer), 1);
        const auto firstCut =
            std::find_if(e.begin(), e.end(), [](const auto& x) { return x.kind == Kind::Cut; });
        EXPECT_EQ((firstCut + 1)->kind, Kind::Drawer) << "the drawer opens after the first copy";
        const auto rasters = r.all(Kind::Raster);
        for (const auto& raster : rasters)
            EXPECT_EQ(raster.width, c.dots);

        if (std::string(c.mode) == "图像") {
            // One picture per copy; the first is taller by the top and bottom pictures.
            ASSERT_EQ(rasters.size(), 3u);
            EXPECT_EQ(r.count(Kind::Line), 0);
            for (const auto& raster : rasters)
                EXPECT_EQ(raster.bands, (raster.height + 127) / 128);
            EXPECT_GT(rasters[0].height, rasters[1].height);
            continue;
        }
        // Top, credit and bottom picture, then the credit picture of each further copy.
        EXPECT_EQ(rasters.size(), 5u);
        const auto lines = r.all(Kind::Line);
        for (const auto& line : lines)
            EXPECT_LE(GbkText::length(line.text) * 12 * line.widthTimes, c.dots) << line.text;
        std::string all;
        for (const auto& line : lines)
            all += line.text + "\n";
        for (const char* expected :
             {"红烧排骨饭", "西红柿炒蛋", "香菇猪肉水饺", "合计 ￥91", "立减优惠", "1份",
              "已支付 ￥81", "张三  13800001111", "人民路 88 号"})
            EXPECT_NE(all.find(expected), std::string::npos) << expected;
        const auto dishes = printedOrder().lines;
        const DishLine first = dishLine(lines, dishes[0]);
        for (const OrderLine& dish : dishes) {
            const DishLine line = dishLine(lines, dish);
            EXPECT_EQ(line.length, first.length) << dish.dishName;
            EXPECT_EQ(line.quantityEnd, first.quantityEnd) << dish.dishName;
        }
    }
}

TEST_F(ThermalPrinterTest, DrawerOpensOnlyWhenSettlingInCash) {
    // Printer commands in a name stored before names were checked: a drawer
    // pulse, a cut, and a pulse the printer would act on at once.
    const std::string commands =
        std::string("可乐\x1Bp0\x19\x19\x1DVA\x10\x14\x01", 17) + '\0' + "\x01\x7F";
    const struct {
        const char* occasion;
        bool withCopies, settling;
        const char* drawer;
        const char* cut;
        int cuts, feeds, pulses;
        const char* payment = "现金支付";
        std::string dish = {};
    } cases[] = {{"F12", true, true, "1", "1", 3, 0, 1},
                 {"F11", false, false, "1", "1", 1, 0, 0},
                 {"edited order", true, false, "1", "1", 3, 0, 0},
                 {"drawer not ticked", true, true, "0", "1", 3, 0, 0},
                 {"no cutter", true, true, "1", "0", 0, 3, 1},
                 {"WeChat Pay", true, true, "1", "1", 3, 0, 0, "微信支付"},
                 {"pay on delivery", true, true, "1", "1", 3, 0, 0, "到付"},
                 {"commands in a dish name", true, true, "1", "1", 3, 0, 0, "微信支付", commands}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.occasion);
        setSetting("结算开钱箱", c.drawer);
        setSetting("打印后切纸", c.cut);
        OrderDraft order = printedOrder();
        order.paymentMethod = c.payment;
        if (!c.dish.empty())
            order.lines[0].dishName = c.dish;
        ASSERT_TRUE(print(c.withCopies, c.settling, order));
        const EscPosReader r = printed(listener.connection());
        EXPECT_EQ(r.count(Kind::Cut), c.cuts);
        EXPECT_EQ(r.count(Kind::Feed), c.feeds);
        EXPECT_EQ(r.count(Kind::Drawer), c.pulses);
        const auto& e = r.events;
        const auto firstEnd = std::find_if(e.begin(), e.end(), [](const auto& x) {
            return x.kind == Kind::Cut || x.kind == Kind::Feed;
        });
        if (c.pulses == 1) {
            ASSERT_TRUE(firstEnd != e.end() && std::next(firstEnd) != e.end());
            EXPECT_EQ(std::next(firstEnd)->kind, Kind::Drawer) << "after the first copy";
        }
    }
}

TEST_F(ThermalPrinterTest, DrawerOpensOnDemandOnlyOnTheThermalPrinterAndIsRecorded) {
    QMenu menu;
    QAction* action = menu.addAction(QStringLiteral("打开钱箱"));
    const auto open = CashDrawer::command(db, action, nullptr);
    const struct {
        const char* occasion;
        const char* method;
        const char* password; // set from here on
        std::optional<QString> typed;
        bool enabled;
        int pulses;
        const char* told; // empty: nothing shown
    } cases[] = {
        {"thermal printer", "ESCPOS", "", std::nullopt, true, 1, ""},
        {"system printer", "系统", "", std::nullopt, false, 0, "系统打印机"},
        {"wrong password", "ESCPOS", "老板", QStringLiteral("伙计"), true, 0, "管理密码不正确"},
        {"password box cancelled", "ESCPOS", "老板", std::nullopt, true, 0, ""},
        {"right password", "ESCPOS", "老板", QStringLiteral("老板"), true, 1, ""},
    };
    int opened = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.occasion);
        setSetting("打印方式", c.method);
        if (*c.password && !ManagerPassword(db).isSet())
            ASSERT_EQ(ManagerPassword(db, 1000).change("", c.password, c.password).outcome,
                      ManagerPassword::Outcome::Set);
        boxes.shown.clear();
        if (*c.password)
            boxes.inputs = {c.typed};
        emit menu.aboutToShow();
        EXPECT_EQ(action->isEnabled(), c.enabled);
        open();
        opened += c.pulses;
        EXPECT_EQ(StorageConditions::firstText(
                      db.connection(), "select count(*) from 操作记录 where 操作='打开钱箱'"),
                  std::to_string(opened));
        // The password box is shown too.
        EXPECT_EQ(boxes.shown.size(), (*c.password ? 1 : 0) + (*c.told ? 1 : 0))
            << boxes.lastText().toStdString();
        EXPECT_TRUE(boxes.lastText().contains(QString::fromUtf8(c.told)));
        if (c.pulses == 0)
            continue;
        const EscPosReader r = printed(listener.connection());
        EXPECT_EQ(r.count(Kind::Drawer), 1);
        EXPECT_EQ(r.count(Kind::Line) + r.count(Kind::Cut) + r.count(Kind::Raster), 0);
    }
    EXPECT_TRUE(listener.nextJob(std::chrono::milliseconds(200)).empty()) << "no other pulse";
}

TEST_F(ThermalPrinterTest, TestPageNamesTheConnectionAndNeverOpensTheDrawer) {
    PrinterSettings printer = PrinterSettings::load(SettingsStore(db));
    ASSERT_TRUE(printer.openDrawer);
    for (const auto mode : {PrinterSettings::Mode::Text, PrinterSettings::Mode::Raster}) {
        printer.mode = mode;
        ASSERT_TRUE(ThermalPrinter(nullptr).printTestPage(printer, 1));
        const EscPosReader r = printed(listener.connection());
        EXPECT_EQ(r.count(Kind::Drawer), 0);
        EXPECT_EQ(r.count(Kind::Cut), 1);
        std::string all;
        for (const auto& line : r.all(Kind::Line))
            all += line.text + "\n";
        if (mode == PrinterSettings::Mode::Text) {
            EXPECT_NE(all.find(listener.connection()), std::string::npos) << all;
            EXPECT_NE(all.find("80毫米"), std::string::npos) << all;
            EXPECT_NE(all.find("123456789012345678901234567890123456789012345678\n"),
                      std::string::npos)
                << "the ruler fills the 48 columns of 80 mm paper";
        } else {
            EXPECT_EQ(r.count(Kind::Raster), 1);
        }
    }
}

TEST_F(ThermalPrinterTest, FailuresNameTheConnectionAndKeepTheStoredOrder) {
    QTemporaryDir devices;
    QFile::setPermissions(devices.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup |
                                              QFile::ReadOther | QFile::ExeOther);
    const std::string readOnly = devices.filePath("lp1").toStdString();
    std::ofstream(readOnly).flush();
    chmod(readOnly.c_str(), 0444);
    const std::string lpGroup = devices.filePath("lp2").toStdString();
    std::ofstream(lpGroup).flush();
    const group* lp = getgrnam("lp");
    const bool asRoot = geteuid() == 0 && lp;
    if (asRoot) {
        ASSERT_EQ(chown(lpGroup.c_str(), 0, lp->gr_gid), 0);
        chmod(lpGroup.c_str(), 0660);
    }
    const PrinterListener::RefusingPort refusing;
    const struct {
        std::string connection;
        const char* cause;
        bool runs;
    } cases[] = {
        {refusing.connection(), "拒绝连接", true},
        {"dev:" + devices.filePath("usb/lp9").toStdString(), "设备文件不存在", true},
        {"dev:" + readOnly, "设备文件是只读的", true},
        {"dev:" + lpGroup, "请把当前用户加入 lp 组", asRoot},
        {"cups:没有这个队列", "CUPS打印服务没有运行", true},
    };
    // A CUPS service that is not there, whatever this machine runs.
    qputenv("CUPS_SERVER", devices.filePath("no-cups.sock").toUtf8());
    const auto cupsBack = qScopeGuard([] { qunsetenv("CUPS_SERVER"); });
    clock.set(DateTime{2026, 12, 8, 12, 30, 0});
    int stored = 0;
    for (const auto& c : cases) {
        if (!c.runs)
            continue;
        SCOPED_TRACE(c.connection);
        setSetting("打印机连接", c.connection);
        boxes.shown.clear();
        OrderDraft draft = printedOrder();
        draft.number = std::to_string(++stored);
        const auto result = Settlement(db, clock).settle(draft, [&](bool withCopies) {
            AsCashier cashier(true);
            return ReceiptPrinter(db, nullptr)
                .printReceipt(receiptOrderOf(draft), withCopies, true);
        });
        EXPECT_EQ(result.outcome, Settlement::Outcome::NotPrinted);
        ASSERT_EQ(boxes.shown.size(), 1);
        const std::string message = boxes.lastText().toStdString();
        EXPECT_NE(message.find(c.connection), std::string::npos) << message;
        EXPECT_NE(message.find(c.cause), std::string::npos) << message;
        EXPECT_NE(message.find("订单已保存"), std::string::npos) << message;

        const int rs = db.OpenTable("select 编号,合计,实付 from 存单 where ID=" +
                                    std::to_string(result.orderId));
        EXPECT_EQ(db.ReadColByName(rs, "编号").toText(), draft.number);
        EXPECT_EQ(db.ReadColByName(rs, "合计").toText(), "91");
        EXPECT_EQ(db.ReadColByName(rs, "实付").toText(), "81");
        db.CloseTable(rs);
    }

    // Once the printer is back, F11 prints the order on screen.
    setSetting("打印机连接", listener.connection());
    const auto again = Settlement(db, clock).printOnly(printedOrder(), [&](const auto& startJob) {
        return ReceiptPrinter(db, nullptr)
            .printReceipt(receiptOrderOf(printedOrder()), false, false, startJob);
    });
    EXPECT_EQ(again.outcome, Settlement::Outcome::Done);
    EXPECT_EQ(printed(listener.connection()).count(Kind::Drawer), 0);
}

// Prints a 58 mm and an 80 mm receipt in picture mode into the folder named
// by TABLEWISE_RECEIPT_SAMPLES and turns the printer's bytes back into PNG
// files, to be looked at beside the preview (see the README).
TEST_F(ThermalPrinterTest, SampleReceipts) {
    const QString samples = qEnvironmentVariable("TABLEWISE_RECEIPT_SAMPLES");
    if (samples.isEmpty())
        GTEST_SKIP() << "TABLEWISE_RECEIPT_SAMPLES not set";
    OrderDraft order = printedOrder();
    order.lines.push_back({"干煸四季豆加辣加麻特别版", "1", "份", "13"});
    order.remark = "少放辣，不要葱";
    setSetting("附带信息2勾选", "1");
    setSetting("附带信息2", "欢迎光临，谢谢惠顾！外卖满30元免配送费。");
    setSetting("打印份数", "1");
    setSetting("热敏打印模式", "图像");
    for (const char* type : {"0", "1"}) {
        setSetting("小票类型", type);
        ASSERT_TRUE(ReceiptPrinter(db, nullptr).printReceipt(receiptOrderOf(order), true));
        const auto raster = printed(listener.connection()).all(Kind::Raster);
        ASSERT_EQ(raster.size(), 1u);
        QImage image(raster[0].width, raster[0].height, QImage::Format_Mono);
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(image.scanLine(y), raster[0].bits.data() + y * raster[0].width / 8,
                        raster[0].width / 8);
        EXPECT_TRUE(
            image.save(samples + (type[0] == '0' ? "/thermal-58mm.png" : "/thermal-80mm.png")));
    }
}

} // namespace
