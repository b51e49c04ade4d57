#pragma once
#include <QDialog>

class Database;
class NamedList;
class QComboBox;

// The window of one plain list of names: an editable drop-down, "保存" adds
// the text shown, "删除" deletes it.
class NamedListWindow : public QDialog {
    Q_OBJECT
  public:
    NamedListWindow(QWidget* parent, Database& db, const NamedList& list);

  private:
    void addEntry();
    void deleteEntry();
    void tell(const std::string& message);
    bool refusedUnread();

    Database& m_db;
    const NamedList& m_list;
    QComboBox* m_box;
    QString m_readFailure; // why the entries could not be read; empty once they were
};
