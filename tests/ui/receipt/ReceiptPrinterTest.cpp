#include "ui/receipt/ReceiptPrinter.h"
#include "orders/OrderReceipt.h"
#include "receipt/CreditPicture.h"
#include "support/PdfTools.h"
#include "support/SampleOrders.h"
#include "support/ScriptedPrintDialogs.h"
#include "support/TestApplication.h"
#include "support/WindowTest.h"
#include "ui/receipt/PrintProgressNote.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>

namespace {

ReceiptOrder sampleOrder() {
    ReceiptOrder o = sampleReceipt("3", "美团(第1联)", "微信支付",
                                   {{"红烧排骨饭", "2", "份", "36"}, {"", "", "", ""}}, "36");
    o.table = "号牌 3";
    return o;
}

class ReceiptPrinterTest : public WindowTest {
  protected:
    ReceiptPrinterTest() : WindowTest(Start::Receipt) {}

    void SetUp() override {
        setSetting("打印份数", "3");
        putReceiptPictures();
    }

    bool print(bool withCopies) {
        return ReceiptPrinter(db, nullptr).printReceipt(sampleOrder(), withCopies);
    }

    ScriptedPrintDialogs dialogs{filePath("receipt.pdf")};
};

TEST_F(ReceiptPrinterTest, CopiesAfterOneDialogAndOnlyTheFirstWithPictures) {
    ASSERT_TRUE(print(true));
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_EQ(PdfTools::pages(dialogs.pdfPath), 3);
    // Top, credit and bottom on the first copy; the credit picture alone after it.
    EXPECT_EQ(PdfTools::picturesPerPage(dialogs.pdfPath), (QList<int>{3, 1, 1}));
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(
            PdfTools::text(dialogs.pdfPath, page).contains(QStringLiteral("#3 美团(第1联)")))
            << page;
}

TEST_F(ReceiptPrinterTest, PrintOnlyMakesOneCopyWhateverTheSetting) {
    ASSERT_TRUE(print(false));
    EXPECT_EQ(PdfTools::pages(dialogs.pdfPath), 1);
}

TEST_F(ReceiptPrinterTest, CancelPrintsNothing) {
    dialogs.cancel = true;
    EXPECT_FALSE(print(true));
    EXPECT_FALSE(QFileInfo::exists(dialogs.pdfPath));
}

TEST_F(ReceiptPrinterTest, DefaultLayoutPrintsNeitherTopNorBottomPicture) {
    setSetting("设置类型", "0");
    setSetting("打印份数", "1");
    ASSERT_TRUE(print(true));
    EXPECT_EQ(PdfTools::picturesPerPage(dialogs.pdfPath), (QList<int>{1}));
}

TEST_F(ReceiptPrinterTest, MissingCreditFileIsWrittenAgain) {
    QFile::remove(dataFile("rjxc.png"));
    ASSERT_TRUE(print(false));
    EXPECT_EQ(QFileInfo(dataFile("rjxc.png")).size(), qint64(CreditPicture::size()));
}

TEST_F(ReceiptPrinterTest, ReceiptTextReadsBackFromThePdf) {
    ASSERT_TRUE(print(false));
    const QString text = PdfTools::text(dialogs.pdfPath);
    for (const char* expected : {"白云快餐", "微信支付订单", "[下单时间] 05-15 12:30", "红烧排骨饭",
                                 "2份", "合计 ￥36", "已支付 ￥36", "号牌 3"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(ReceiptPrinterTest, EightyMillimetrePaperIsWider) {
    ASSERT_TRUE(print(false));
    const QString narrow = PdfTools::run(QStringLiteral("pdfinfo"), {dialogs.pdfPath});
    setSetting("小票类型", "1");
    ASSERT_TRUE(print(false));
    const QString wide = PdfTools::run(QStringLiteral("pdfinfo"), {dialogs.pdfPath});
    const QRegularExpression width(QStringLiteral("Page size:\\s+([\\d.]+)"));
    // 48 mm and 70 mm of print plus 5 mm margins each side, in points.
    EXPECT_NEAR(width.match(narrow).captured(1).toDouble(), 58 / 25.4 * 72, 1);
    EXPECT_NEAR(width.match(wide).captured(1).toDouble(), 80 / 25.4 * 72, 1);
}

// Prints a full 58 mm and 80 mm receipt into the folder named by
// TABLEWISE_RECEIPT_SAMPLES, to be looked at (see the README).
TEST_F(ReceiptPrinterTest, SampleReceipts) {
    const QString folderPath = qEnvironmentVariable("TABLEWISE_RECEIPT_SAMPLES");
    if (folderPath.isEmpty())
        GTEST_SKIP() << "TABLEWISE_RECEIPT_SAMPLES not set";
    OrderDraft draft = deliveryOrder("3",
                                     {{"红烧排骨饭", "2", "份", "36"},
                                      {"香菇猪肉水饺", "1", "碗", "16"},
                                      {"西红柿炒蛋", "3", "份", "39"},
                                      {"干煸四季豆加辣加麻特别版", "1", "份", "13"},
                                      {}},
                                     "104", "94");
    draft.header = "美团(第1联)";
    draft.orderTime = "05-15 12:30";
    draft.table = "号牌 3";
    draft.address = "人民路 88 号 3 栋 2 单元 501 室，到了请打电话";
    draft.remark = "少放辣，不要葱";
    const ReceiptOrder order = receiptOrderOf(draft);
    setSetting("附带信息2勾选", "1");
    setSetting("附带信息2", "欢迎光临，谢谢惠顾！外卖满30元免配送费。");
    setSetting("打印份数", "1");
    for (const char* type : {"0", "1"}) {
        setSetting("小票类型", type);
        dialogs.pdfPath = folderPath + (type[0] == '0' ? "/receipt-58mm.pdf" : "/receipt-80mm.pdf");
        EXPECT_TRUE(ReceiptPrinter(db, nullptr).printReceipt(order, true));
    }
}

} // namespace

TEST(PrintProgressNote, ShownWhileAJobGoesToAPrinterNotToAFile) {
    ensureTestApplication();
    const auto noteShown = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->accessibleName() == QStringLiteral("正在发送打印任务…"))
                return true;
        return false;
    };
    {
        PrintProgressNote note(nullptr);
        EXPECT_TRUE(noteShown());
    }
    EXPECT_FALSE(noteShown());

    QPrinter printer; // without a printer on the machine, a PDF file
    printer.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_FALSE(PrintProgressNote::wanted(printer));
}
