#include "ui/receipt/PreviewWindow.h"

#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptPictures.h"
#include "receipt/ReceiptSettings.h"
#include "storage/config/ProgramFolder.h"
#include "ui/common/FrameGeometry.h"
#include "ui/receipt/PainterCanvas.h"
#include "ui/receipt/PreviewBoard.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
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
constexpr int receiptLine = 20; // about one printed line on screen
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
      m_offscreen(new PreviewBoard(this)), m_scrollBar(new QScrollBar(Qt::Vertical, m_frame)),
      m_orderWidthAlone(orderWindow->frameGeometry().width()), m_orderEchoes(orderWindow),
      m_previewEchoes(this) {
    setWindowTitle(QStringLiteral("打印预览"));
    name(this, QStringLiteral("打印预览"), QStringLiteral("打印预览"));
    name(m_frame, QStringLiteral("分组框1"), QStringLiteral("小票"));
    name(m_visible, QStringLiteral("画板1"), QStringLiteral("小票预览"));
    name(m_offscreen, QStringLiteral("画板2"), QStringLiteral("小票画板"));
    name(m_scrollBar, QStringLiteral("纵向滚动条1"), QStringLiteral("上下滚动"));
    m_offscreen->hide();
    setAttribute(Qt::WA_DeleteOnClose);
    // The cashier keeps typing into the order window, and its keys work here.
    setAttribute(Qt::WA_ShowWithoutActivating);
    addActions(orderWindow->actions());
    orderWindow->installEventFilter(this);
    m_visible->installEventFilter(this);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &PreviewWindow::showSlice);
    resize(narrowColumn.window, orderWindow->height() + 5);
    placeBeside();
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setSingleStep(receiptLine);
    renderPreview();
}

PreviewPlacement PreviewWindow::placement() const {
    const QScreen* screen = m_orderWindow->screen();
    return PreviewPlacement(screen ? screen->availableGeometry() : QRect());
}

int PreviewWindow::frameWidthFor(int width) const {
    return width + frameGeometry().width() - this->width();
}

void PreviewWindow::placeBeside() {
    QRect order = m_orderWindow->frameGeometry();
    order.setWidth(m_orderWidthAlone);
    const Column& c = m_wide ? wideColumn : narrowColumn;
    const int orderFrame = m_orderWindow->frameGeometry().width() - m_orderWindow->width();
    apply(placement().beside(
        order, frameWidthFor(c.window),
        std::max(m_orderWindow->minimumWidth(), m_orderWindow->minimumSizeHint().width()) +
            orderFrame));
}

void PreviewWindow::followOrderWindow() {
    apply(placement().orderMoved(m_orderWindow->frameGeometry(), frameGeometry().size()));
}

void PreviewWindow::apply(const PreviewPlacement::Pair& pair) {
    m_placing = true;
    m_orderEchoes.place(pair.order);
    m_previewEchoes.place(pair.preview);
    m_placing = false;
    layOutColumn();
}

void PreviewWindow::sizeColumn(bool wide) {
    const bool changed = wide != m_wide;
    m_wide = wide;
    if (changed)
        placeBeside();
    layOutColumn();
}

void PreviewWindow::layOutColumn() {
    const Column& c = m_wide ? wideColumn : narrowColumn;
    m_frame->setGeometry(frameLeft, frameTop, c.frame, height() - 33);
    const int boardHeight = m_frame->height() - 10;
    m_visible->setGeometry(1, 5, c.canvas, boardHeight);
    m_offscreen->resize(c.canvas, canvasHeight);
    m_scrollBar->setGeometry(c.scrollBarLeft, 5, scrollBarWidth, boardHeight);
    // A click beside the handle turns a whole page of a long receipt.
    m_scrollBar->setPageStep(boardHeight);
    // The window manager may leave the column shorter than it was drawn
    // for: the end of the receipt stays within reach.
    m_scrollBar->setRange(0, std::max(0, m_contentHeight - boardHeight));
    if (m_contentHeight > 0)
        showSlice(m_scrollBar->value());
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

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_visible && event->type() == QEvent::Wheel) // the wheel over the receipt
        return QCoreApplication::sendEvent(m_scrollBar, event);
    if (watched == m_orderWindow &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const WindowEchoes::Report report = m_orderEchoes.classify();
        if (!m_placing && report == WindowEchoes::Report::Framed)
            placeBeside();
        else if (!m_placing && report == WindowEchoes::Report::Foreign)
            followOrderWindow();
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    const WindowEchoes::Report report = m_previewEchoes.classify();
    if (m_placing)
        return;
    if (report == WindowEchoes::Report::Framed)
        placeBeside();
    else if (report == WindowEchoes::Report::Foreign) // the cashier's move
        apply(placement().previewMoved(frameGeometry(), m_orderWindow->frameGeometry().size()));
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A resize never drags the order window; the column fits the new height.
    if (!m_placing && m_previewEchoes.classify() == WindowEchoes::Report::Framed)
        placeBeside();
    else
        layOutColumn();
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placeBeside();
    // The window manager frames a new window a little later, and moves
    // nothing when it does: placement must count the frame once it is there.
    for (const int afterMs : {100, 500})
        QTimer::singleShot(afterMs, this, [this] {
            if (m_previewEchoes.classify() == WindowEchoes::Report::Framed ||
                m_orderEchoes.classify() == WindowEchoes::Report::Framed)
                placeBeside();
        });
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    m_orderWindow->removeEventFilter(this);
    setFrameGeometry(m_orderWindow,
                     placement().alone(m_orderWindow->frameGeometry(), m_orderWidthAlone));
}
