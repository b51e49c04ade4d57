#pragma once
#include "reports/ReportSheet.h"
#include "reports/ReportTill.h"
#include "ui/reports/PeriodPicker.h"

#include <QDialog>
#include <optional>
#include <vector>

class ChartViewer;
class Database;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class ReportGrid;

// What the two report windows share: a caption, the till filter, the grid
// and the chart area to its right, and a menu of report kinds.
class ReportWindow : public QDialog {
    Q_OBJECT
  public:
    ReportWindow(Database& db, const QString& title, QWidget* parent);

    ReportGrid* grid() const { return m_grid; }
    ChartViewer* chartArea() const { return m_chart; }
    QLabel* caption() const { return m_caption; }
    // "收银台": every till (the default), or one of the tills found in the orders.
    QComboBox* tillFilter() const { return m_tills; }

    // The report shown, grid and charts, to a file the user names.
    void exportReport();
    // The report shown through the print dialog, on A4.
    void printReport();

  protected:
    // Shows a report's sheet and its chart; tells of a period without data.
    // True when the report found data.
    bool showSheet(const ReportSheet& sheet);
    QMenu* addMenu(const QString& title);
    // Opens the period picker of the kind over this window, to run the report.
    void pick(PeriodPicker::Kind kind, const PeriodPicker::Report& report);
    // The controls of a window's own, right of the caption.
    QHBoxLayout* toolRow() const { return m_toolRow; }
    // Whose orders the reports count, as the till filter says.
    const ReportTill& till() const { return m_till; }
    // The report last shown, run again for the till now chosen.
    virtual bool showAgain() = 0;

    Database& m_db;

  private:
    void fillTillFilter();
    void chooseTill(int index);

    QMenuBar* m_menuBar;
    QHBoxLayout* m_toolRow;
    QLabel* m_caption;
    ReportGrid* m_grid;
    ChartViewer* m_chart;
    QComboBox* m_tills;
    std::vector<ReportTill> m_tillChoices;
    ReportTill m_till = ReportTill::all();
    std::optional<ReportSheet> m_sheet;
};
