#pragma once
#include <QWidget>

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

    PreviewWindow(Database& db, QWidget* orderWindow);

    // Opens the preview of orderWindow, or closes it when it is open.
    static void toggle(Database& db, QWidget* orderWindow);
    // Opens it (or brings it forward) without waiting.
    static PreviewWindow* open(Database& db, QWidget* orderWindow);
    // Redraws the preview of orderWindow when it is open.
    static void refreshPreview(QWidget* orderWindow);
    static PreviewWindow* of(QWidget* orderWindow);

    void renderPreview();
    int contentHeight() const { return m_contentHeight; }

  protected:
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeBesideOrderWindow();
    void sizeColumn(bool wide);
    void showSlice(int top);

    Database& m_db;
    QWidget* m_orderWindow;
    QGroupBox* m_frame;
    PreviewBoard* m_visible;   // 画板1
    PreviewBoard* m_offscreen; // 画板2
    QScrollBar* m_scrollBar;
    int m_contentHeight = 0;
    bool m_moving = false;
};
