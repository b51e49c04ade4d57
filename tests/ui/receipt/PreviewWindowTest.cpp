#include "ui/receipt/PreviewWindow.h"
#include "support/SampleOrders.h"
#include "support/WindowTest.h"
#include "ui/receipt/PreviewBoard.h"
#include "ui/receipt/PreviewPlacement.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

ReceiptOrder orderWithDishes(int count) {
    return sampleReceipt("5", "微信点餐", "现金支付",
                         std::vector<ReceiptDish>(count, {"茄子豆角", "1", "份", "14"}),
                         std::to_string(14 * count));
}

class PreviewWindowTest : public WindowTest {
  protected:
    PreviewWindowTest() : WindowTest(Start::Receipt) {
        owner.setGeometry(100, 20, 300, 560);
        owner.show();
    }

    PreviewWindow& open() {
        preview = new PreviewWindow(db, &owner, [this] { return order; });
        preview->show();
        QCoreApplication::processEvents();
        return *preview;
    }
    template <typename T> T* control(const char* name) {
        return preview->findChild<T*>(QString::fromUtf8(name));
    }

    QWidget owner;
    ReceiptOrder order = orderWithDishes(2);
    PreviewWindow* preview = nullptr;
};

TEST_F(PreviewWindowTest, OpensAgainstTheRightEdgeOfTheOrderWindow) {
    PreviewWindow& p = open();
    EXPECT_EQ(p.windowTitle(), QStringLiteral("打印预览"));
    EXPECT_EQ(p.frameGeometry().topLeft(),
              QPoint(owner.frameGeometry().right() + 1, owner.frameGeometry().top()));
    EXPECT_EQ(p.height(), owner.height() + 5);
    EXPECT_EQ(control<QGroupBox>("分组框1")->height(), p.height() - 33);
    EXPECT_EQ(control<PreviewBoard>("画板1")->height(), p.height() - 43);
    EXPECT_EQ(control<QScrollBar>("纵向滚动条1")->height(), p.height() - 43);
    EXPECT_EQ(control<PreviewBoard>("画板2")->height(), PreviewWindow::canvasHeight);
}

TEST_F(PreviewWindowTest, ColumnFollowsThePaperType) {
    struct Case {
        const char* type;
        int window, frame, canvas, scrollBarLeft;
    };
    for (const Case& c : {Case{"0", 233, 215, 194, 196}, Case{"1", 306, 288, 267, 269},
                          Case{"2", 306, 288, 267, 269}}) {
        setSetting("小票类型", c.type);
        PreviewWindow& p = preview ? *preview : open();
        p.renderPreview();
        EXPECT_EQ(p.width(), c.window) << c.type;
        EXPECT_EQ(control<QGroupBox>("分组框1")->width(), c.frame) << c.type;
        EXPECT_EQ(control<PreviewBoard>("画板1")->width(), c.canvas) << c.type;
        EXPECT_EQ(control<PreviewBoard>("画板2")->image().width(), c.canvas) << c.type;
        EXPECT_EQ(control<QScrollBar>("纵向滚动条1")->x(), c.scrollBarLeft) << c.type;
    }
}

TEST_F(PreviewWindowTest, ScrollRangeIsTheContentBelowTheFrame) {
    PreviewWindow& p = open();
    auto* scrollBar = control<QScrollBar>("纵向滚动条1");
    const int visible = control<QGroupBox>("分组框1")->height() - 10;
    ASSERT_LT(p.contentHeight(), visible);
    EXPECT_EQ(scrollBar->maximum(), 0);

    order = orderWithDishes(60);
    p.renderPreview();
    ASSERT_GT(p.contentHeight(), visible);
    EXPECT_EQ(scrollBar->maximum(), p.contentHeight() - visible);

    scrollBar->setValue(120);
    const QImage& whole = control<PreviewBoard>("画板2")->image();
    auto* visibleBoard = control<PreviewBoard>("画板1");
    EXPECT_EQ(visibleBoard->image(), whole.copy(0, 120, whole.width(), visibleBoard->height()));
    p.renderPreview();
    EXPECT_EQ(scrollBar->value(), 0) << "a redraw starts at the top";

    EXPECT_EQ(scrollBar->pageStep(), visible) << "a click beside the handle turns a page";
    QWheelEvent down(QPointF(10, 10), visibleBoard->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(visibleBoard, &down);
    EXPECT_GE(scrollBar->value(), 3 * scrollBar->singleStep()) << "the wheel over the receipt";
    EXPECT_GT(scrollBar->singleStep(), 1);

    p.resize(p.width(), p.height() - 100); // as a window manager shortens it
    QCoreApplication::processEvents();
    EXPECT_EQ(scrollBar->maximum(), p.contentHeight() - (visible - 100))
        << "the end of the receipt stays within reach";
}

TEST_F(PreviewWindowTest, RedrawShowsTheChangedOrder) {
    PreviewWindow& p = open();
    const int before = p.contentHeight();
    const QImage first = control<PreviewBoard>("画板2")->image();
    order.dishes.push_back({"酸菜鱼", "1", "份", "16"});
    p.renderPreview();
    EXPECT_GT(p.contentHeight(), before);
    EXPECT_NE(control<PreviewBoard>("画板2")->image(), first);
}

TEST_F(PreviewWindowTest, ReceiptLongerThanTheCanvasIsCutNotBroken) {
    order = orderWithDishes(400);
    PreviewWindow& p = open();
    EXPECT_GT(p.contentHeight(), PreviewWindow::canvasHeight);
    EXPECT_EQ(control<PreviewBoard>("画板2")->image().height(), PreviewWindow::canvasHeight);
}

TEST_F(PreviewWindowTest, WindowsMoveTogetherAndStayOnScreen) {
    PreviewWindow& p = open();
    const QRect screen = owner.screen()->availableGeometry();
    auto besideEachOther = [&] {
        return p.frameGeometry().topLeft() ==
                   QPoint(owner.frameGeometry().right() + 1, owner.frameGeometry().top()) &&
               screen.contains(owner.frameGeometry()) && screen.contains(p.frameGeometry());
    };
    owner.move(50, 10);
    QCoreApplication::processEvents();
    EXPECT_TRUE(besideEachOther());
    EXPECT_EQ(owner.pos(), QPoint(50, 10));

    p.move(500, 20);
    QCoreApplication::processEvents();
    EXPECT_TRUE(besideEachOther()) << "the order window follows the cashier's move";
    EXPECT_EQ(owner.size(), QSize(300, 560)) << "moving changes no size";

    owner.move(screen.right() - 100, screen.bottom() - 100);
    QCoreApplication::processEvents();
    EXPECT_TRUE(besideEachOther()) << "a move towards the edge stops at the edge";
}

TEST_F(PreviewWindowTest, PaperSwitchResizesWithoutDraggingTheOrderWindow) {
    const QRect screen = owner.screen()->availableGeometry();
    owner.setGeometry(screen);
    QCoreApplication::processEvents();
    PreviewWindow& p = open();
    for (const char* type : {"1", "0", "1"}) {
        setSetting("小票类型", type);
        p.renderPreview();
        QCoreApplication::processEvents();
        EXPECT_EQ(owner.frameGeometry().topLeft(), screen.topLeft()) << type;
        EXPECT_EQ(p.frameGeometry().left(), owner.frameGeometry().right() + 1) << type;
        EXPECT_EQ(p.frameGeometry().right(), screen.right()) << type;
    }
    p.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.frameGeometry(), screen) << "closing gives the width back";
}

TEST(PreviewPlacement, PairStandsSideBySideWithinTheScreen) {
    const PreviewPlacement placement(QRect(0, 0, 1366, 740));
    struct Case {
        const char* what;
        PreviewPlacement::Pair got, expected;
    };
    const Case cases[] = {
        {"a full-screen order window gives up the preview's width",
         placement.beside(QRect(0, 0, 1366, 740), 235),
         {QRect(0, 0, 1131, 740), QRect(1131, 0, 235, 740)}},
        {"a narrow order window keeps its width; the preview is 5 taller",
         placement.beside(QRect(100, 20, 600, 500), 308),
         {QRect(100, 20, 600, 500), QRect(700, 20, 308, 505)}},
        {"beside a window at the right edge both move in",
         placement.beside(QRect(900, 0, 400, 700), 308),
         {QRect(658, 0, 400, 700), QRect(1058, 0, 308, 705)}},
        {"a screen too small for both: the preview covers the edge",
         PreviewPlacement(QRect(0, 0, 1024, 740)).beside(QRect(0, 0, 1024, 740), 308, 823),
         {QRect(0, 0, 823, 740), QRect(716, 0, 308, 740)}},
        {"the order window moved off the left edge",
         placement.orderMoved(QRect(-300, 10, 1131, 740), QSize(235, 740)),
         {QRect(0, 0, 1131, 740), QRect(1131, 0, 235, 740)}},
        {"the preview moved: the order window follows",
         placement.previewMoved(QRect(700, 30, 308, 505), QSize(600, 500)),
         {QRect(100, 30, 600, 500), QRect(700, 30, 308, 505)}},
        {"the preview moved off the right edge",
         placement.previewMoved(QRect(1300, 30, 308, 505), QSize(600, 500)),
         {QRect(458, 30, 600, 500), QRect(1058, 30, 308, 505)}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got.order, c.expected.order) << c.what;
        EXPECT_EQ(c.got.preview, c.expected.preview) << c.what;
    }
    EXPECT_EQ(placement.alone(QRect(0, 0, 1058, 740), 1366), QRect(0, 0, 1366, 740));
    EXPECT_EQ(placement.alone(QRect(500, 0, 600, 500), 800), QRect(500, 0, 800, 500));
    EXPECT_EQ(placement.alone(QRect(700, 0, 600, 500), 800), QRect(566, 0, 800, 500));
}

} // namespace
