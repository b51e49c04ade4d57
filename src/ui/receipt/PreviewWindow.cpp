#include "ui/receipt/PreviewWindow.h"

#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptPictures.h"
#include "receipt/ReceiptSettings.h"
#include "storage/ProgramFolder.h"
#include "ui/receipt/PainterCanvas.h"
#include "ui/receipt/PreviewBoard.h"

#include <QGroupBox>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

namespace {

// The 58 mm and 80 mm columns of the preview, in pixels.
struct Column {
    int window, frame, canvas, scrollBarLeft;
};
constexpr Column narrowColumn{233, 215, 194, 196};
constexpr Column wideColumn{306, 288, 267, 269};
constexpr int frameLeft = 9, frameTop = 5;
constexpr int scrollBarWidth = 17;
constexpr double previewUnitsPerPoint = 96.0 / 72;

void name(QWidget* widget, const QString& control, const QString& caption) {
    widget->setObjectName(control);
    widget->setAccessibleDescription(control);
    widget->setAccessibleName(caption);
}

} // namespace

PreviewWindow::PreviewWindow(Database& db, QWidget* orderWindow, OrderSource order)
    : QWidget(orderWindow, Qt::Window), m_db(db), m_orderWindow(orderWindow),
      m_order(std::move(order)), m_frame(new QGroupBox(this)), m_visible(new PreviewBoard(m_frame)),
      m_offscreen(new PreviewBoard(this)), m_scrollBar(new QScrollBar(Qt::Vertical, m_frame)) {
    setWindowTitle(QStringLiteral("打印预览"));
    name(this, QStringLiteral("打印预览"), QStringLiteral("打印预览"));
    name(m_frame, QStringLiteral("分组框1"), QStringLiteral("小票"));
    name(m_visible, QStringLiteral("画板1"), QStringLiteral("小票预览"));
    name(m_offscreen, QStringLiteral("画板2"), QStringLiteral("小票画板"));
    name(m_scrollBar, QStringLiteral("纵向滚动条1"), QStringLiteral("上下滚动"));
    m_offscreen->hide();
    setAttribute(Qt::WA_DeleteOnClose);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &PreviewWindow::showSlice);
    resize(narrowColumn.window, orderWindow->height() + 5);
    followOrderWindow();
    m_frame->setGeometry(frameLeft, frameTop, narrowColumn.frame, height() - 33);
    m_scrollBar->setRange(0, 0);
    renderPreview();
}

void PreviewWindow::followOrderWindow() {
    const QRect owner = m_orderWindow->frameGeometry();
    QPoint target(owner.left() + owner.width(), owner.top());
    // Beside an order window that fills the screen the preview would be out
    // of sight; it then keeps to the screen's right edge, over the window.
    if (const QScreen* screen = m_orderWindow->screen()) {
        const QRect area = screen->availableGeometry();
        target.setX(std::max(area.left(),
                             std::min(target.x(), area.right() + 1 - frameGeometry().width())));
    }
    m_placedAt = target;
    m_moving = true;
    move(target);
    m_moving = false;
}

void PreviewWindow::sizeColumn(bool wide) {
    const Column& c = wide ? wideColumn : narrowColumn;
    resize(c.window, height());
    m_frame->setGeometry(frameLeft, frameTop, c.frame, height() - 33);
    const int boardHeight = m_frame->height() - 10;
    m_visible->setGeometry(1, 5, c.canvas, boardHeight);
    m_offscreen->resize(c.canvas, canvasHeight);
    m_scrollBar->setGeometry(c.scrollBarLeft, 5, scrollBarWidth, boardHeight);
}

void PreviewWindow::renderPreview() {
    m_scrollBar->setValue(0);
    const ReceiptSettings settings = loadReceiptSettings(m_db);
    sizeColumn(settings.receiptType != 0);
    ReceiptSettings onScreen = settings;
    onScreen.paperWidth = m_offscreen->width();

    QImage& image = m_offscreen->image();
    if (image.size() != m_offscreen->size())
        image = QImage(m_offscreen->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    const ReceiptPictures pictures(onScreen, onScreen.paperWidth, 1.0,
                                   ProgramFolder::path() + "/data");
    QPainter painter(&image);
    painter.setPen(Qt::black);
    PainterCanvas canvas(&image, &painter, previewUnitsPerPoint);
    int y = 0;
    ReceiptComposer composer(canvas, onScreen.paperWidth, y);
    composer.drawPicture(pictures.top());
    composeReceipt(onScreen, m_order(), canvas, y, pictures.credit());
    composer.drawPicture(pictures.bottom());
    painter.end();

    m_contentHeight = y;
    const int visibleHeight = m_frame->height() - 10;
    m_scrollBar->setRange(0, y > visibleHeight ? y - visibleHeight : 0);
    showSlice(0);
}

void PreviewWindow::showSlice(int top) {
    const QImage& whole = m_offscreen->image();
    m_visible->setImage(whole.copy(0, top, whole.width(), m_visible->height()));
}

void PreviewWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // Only a move by the cashier drags the order window along; the window
    // system may report the placement above later, outside m_moving.
    if (m_moving || pos() == m_placedAt)
        return;
    m_moving = true;
    m_orderWindow->move(frameGeometry().left() - m_orderWindow->frameGeometry().width(),
                        frameGeometry().top());
    m_moving = false;
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window frame is known only once shown, and placement counts it.
    followOrderWindow();
}
