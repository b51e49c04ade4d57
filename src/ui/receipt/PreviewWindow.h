#pragma once
#include "receipt/ReceiptOrder.h"
#include "ui/receipt/PreviewPlacement.h"
#include "ui/receipt/WindowEchoes.h"

#include <QWidget>
#include <functional>

class Database;
class PreviewBoard;
class QGroupBox;
class QScrollBar;

// "打印预览": the receipt of the order on screen, drawn beside the order
// window and moving with it. The order window gives up width while the
// preview is open, takes the cashier's keys through the preview and gets its
// width back when the preview closes.
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
    // The order window and the preview moved to stand side by side again.
    void placeBeside();
    int contentHeight() const { return m_contentHeight; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Keeps the preview against the order window's right edge.
    void followOrderWindow();
    void sizeColumn(bool wide);
    void layOutColumn();
    void apply(const PreviewPlacement::Pair& pair);
    PreviewPlacement placement() const;
    int frameWidthFor(int width) const;
    void showSlice(int top);

    Database& m_db;
    QWidget* m_orderWindow;
    OrderSource m_order;
    QGroupBox* m_frame;
    PreviewBoard* m_visible;   // 画板1
    PreviewBoard* m_offscreen; // 画板2
    QScrollBar* m_scrollBar;
    int m_contentHeight = 0;
    int m_orderWidthAlone;
    bool m_wide = false;
    bool m_placing = false;
    WindowEchoes m_orderEchoes, m_previewEchoes;
};
