#include "ui/receipt/PreviewWindow.h"
#include "support/SampleOrders.h"
#include "support/WindowTest.h"
#include "ui/receipt/PreviewBoard.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QScreen>
#include <QScrollBar>
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

TEST_F(PreviewWindowTest, WindowsMoveTogether) {
    PreviewWindow& p = open();
    owner.move(200, 80);
    QCoreApplication::processEvents();
    p.followOrderWindow();
    EXPECT_EQ(p.frameGeometry().topLeft(), QPoint(owner.frameGeometry().right() + 1, 80));

    p.move(600, 120);
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.frameGeometry().topLeft(), QPoint(600 - owner.frameGeometry().width(), 120));
    EXPECT_EQ(owner.size(), QSize(300, 560)) << "moving changes no size";
}

TEST_F(PreviewWindowTest, StaysOnScreenBesideAnOrderWindowFillingIt) {
    const QRect screen = owner.screen()->availableGeometry();
    owner.setGeometry(screen);
    QCoreApplication::processEvents();
    const QPoint ownerAt = owner.pos();
    PreviewWindow& p = open();
    EXPECT_EQ(p.frameGeometry().right(), screen.right());
    EXPECT_EQ(owner.pos(), ownerAt) << "placing the preview moves no order window";
}

} // namespace
