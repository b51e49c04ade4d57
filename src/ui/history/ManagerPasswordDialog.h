#pragma once
#include <QDialog>

class Database;
class QLineEdit;

// "管理密码": sets the manager password, or, after the current one is typed,
// changes or removes it.
class ManagerPasswordDialog : public QDialog {
    Q_OBJECT
  public:
    ManagerPasswordDialog(Database& db, QWidget* parent = nullptr);

    void confirm();        // "确定": set or change
    void removePassword(); // "删除密码"

  private:
    QLineEdit* passwordField(const QString& name, const QString& caption);
    void tell(bool done, const std::string& message);

    Database& m_db;
    QLineEdit* m_current = nullptr; // only when a password is set
    QLineEdit* m_next;
    QLineEdit* m_again;
};
