#pragma once
#include "storage/config/IniFile.h"
#include "storage/config/ServerProbe.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QRadioButton;

// "数据库设置": this till's own data file, or a PostgreSQL server several
// tills share, with a test of the connection, and the name this till
// stores with its orders. The choice is written to
// 配置文件.ini and is used from the next start.
class DatabaseSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit DatabaseSettingsDialog(IniFile ini, QWidget* parent = nullptr);

    // The connection text the fields (or the raw text) make, without the
    // password, which is kept apart in the user's password file.
    std::string connection() const;
    std::string password() const;
    ServerProbe::Finding testConnection(); // "测试连接"
    void confirm();                        // "确定"

  private:
    QGroupBox* buildServerBox();
    void showConnection(const std::string& text);
    void fillFields(const std::string& text);
    std::string fieldsText() const;
    void showServerChoice();
    void switchRawText(bool raw);
    bool save();
    QLayout* buildTillNameRow();

    IniFile m_ini;
    QRadioButton* m_fileChoice;
    QRadioButton* m_serverChoice;
    QGroupBox* m_serverBox = nullptr;
    // Host, port, database, user and password, in the order of the form.
    std::vector<QLineEdit*> m_connectionEdits;
    QCheckBox* m_rawChoice = nullptr;
    QLineEdit* m_raw = nullptr;
    QWidget* m_fields = nullptr;
    QLabel* m_finding;
    QLineEdit* m_tillName;
};
