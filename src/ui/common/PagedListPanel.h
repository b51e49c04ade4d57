#pragma once
#include "history/PagedList.h"

#include <QWidget>

class Database;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// A PagedList on screen: the list in report view with its navigation row.
// The order history and the customer window both show theirs through it.
class PagedListPanel : public QWidget {
    Q_OBJECT
  public:
    struct Column {
        QString caption;
        int width;
    };

    PagedListPanel(Database& db, PagedList& list, const QList<Column>& columns,
                   const QString& listName, QWidget* parent = nullptr);

    // Shows the requested page (-1 for the last) and writes the page shown back.
    void showPage(int& page);
    void showFirstPage();
    void refresh(); // the page the current-page label holds

    QTreeWidget* list() const { return m_list; }
    PagedList& pagedList() const { return m_pagedList; }
    int currentPage() const;
    int selectedIndex() const; // -1 when no row is selected
    QString selectedText(int column) const;
    // After a row was deleted in storage: reload the current page and select
    // the row that took its place, or the last row.
    void reloadAfterRemoval(int removedIndex);

  signals:
    void pageShown(const PagedList::Page& page);
    // The page could not be read: the list is cleared and the cashier told;
    // figures shown beside it no longer hold.
    void pageFailed();
    // Delete pressed on the list; the key goes no further once connected.
    void deleteKeyPressed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* navButton(const QString& caption);
    QWidget* buildNavigation();
    void render(const PagedList::Page& page);
    bool onLastPage() const;
    void jump();

    Database& m_db;
    PagedList& m_pagedList;
    QTreeWidget* m_list;
    QLabel* m_currentPage = nullptr;
    QLabel* m_pageCount = nullptr;
    QLineEdit* m_jumpField = nullptr;
};
