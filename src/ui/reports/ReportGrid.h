#pragma once
#include <QTableWidget>

class ReportSheet;

// The report grid: title and headings are rows of the grid itself, cells
// can be merged, every cell is centred and read-only.
class ReportGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit ReportGrid(QWidget* parent = nullptr);

    // Replaces the whole content by the sheet's.
    void showSheet(const ReportSheet& sheet);
    // The sheet's column width, narrowed so that every column stays in view.
    void fitColumns();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int m_columnWidth = 229;
};
