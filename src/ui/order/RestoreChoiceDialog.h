#pragma once
#include <QDialog>

class BackupFolder;
class QTreeWidget;

// "恢复数据": the automatic copies, newest first, with when they were taken,
// their size and how many orders they hold, or any other file the owner picks.
class RestoreChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    RestoreChoiceDialog(const BackupFolder& folder, QWidget* parent = nullptr);

    // The file to restore; empty until one was chosen.
    QString chosenPath() const { return m_chosen; }
    QTreeWidget* list() const { return m_list; }

  private:
    void fill(const BackupFolder& folder);
    void chooseSelected();
    void chooseOtherFile();

    QTreeWidget* m_list = nullptr;
    QString m_chosen;
};
