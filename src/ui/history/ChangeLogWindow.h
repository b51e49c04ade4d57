#pragma once
#include "history/HistoryFilter.h"
#include "history/PagedList.h"

#include <QDialog>

class ChangeLogFilterRow;
class Clock;
class Database;
class PagedListPanel;
class QLabel;
class QPlainTextEdit;

// "操作记录": what was done to stored orders and printed receipts, a page at
// a time, with a record's content before and after side by side. Only for
// reading: the records cannot be changed from here.
class ChangeLogWindow : public QDialog {
    Q_OBJECT
  public:
    ChangeLogWindow(Database& db, const Clock& clock, QWidget* parent = nullptr);

    // The filter of the controls, listed from its newest page; false (and a
    // message) when the period starts after it ends.
    bool applyFilter();
    void browseAll();

    PagedListPanel* panel() const { return m_panel; }
    QString statusCaption() const;
    QString beforeText() const;
    QString afterText() const;

  private:
    QWidget* buildContentPanes();
    QPlainTextEdit* contentPane(const QString& caption, const QString& name, QWidget* parent);
    void showRecords(const HistoryFilter& filter);
    void showSelectedRecord();

    Database& m_db;
    PagedList m_records{PagedList::Kind::ChangeRecords};
    PagedListPanel* m_panel;
    QLabel* m_caption;
    QLabel* m_count = nullptr;
    ChangeLogFilterRow* m_filterRow = nullptr;
    QPlainTextEdit* m_before = nullptr;
    QPlainTextEdit* m_after = nullptr;
};
