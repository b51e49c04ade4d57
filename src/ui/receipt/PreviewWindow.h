#pragma once
#include "receipt/ReceiptOrder.h"

#include <QWidget>
#include <functional>

class Database;
class PreviewBoard;
class QGroupBox;
class QScrollBar;

// "打印预览": the receipt of the order on screen, drawn beside the order
// window and moving with it.
class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    // The canvas the receipt is drawn on is this tall; longer receipts are cut.
    static constexpr int canvasHeight = 5000;

    using OrderSource = std::function<ReceiptOrder()>;

    // Opens beside orderWindow, which stays its owner; `order` reads the
    // order as the window shows it.
    PreviewWindow(Database& db, QWidget* orderWindow, OrderSource order);

    void renderPreview();
    // Keeps the preview against the order window's right edge.
    void followOrderWindow();
    int contentHeight() const { return m_contentHeight; }

  protected:
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void sizeColumn(bool wide);
    void showSlice(int top);

    Database& m_db;
    QWidget* m_orderWindow;
    OrderSource m_order;
    QGroupBox* m_frame;
    PreviewBoard* m_visible;   // 画板1
    PreviewBoard* m_offscreen; // 画板2
    QScrollBar* m_scrollBar;
    int m_contentHeight = 0;
    bool m_moving = false;
    QPoint m_placedAt;
};
