#include "ui/history/ManagerPasswordDialog.h"
#include "ui/common/ListControls.h"

#include "history/ManagerPassword.h"
#include "ui/common/MessageBoxes.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using ListControls::addCaptionButton;
using ListControls::nameControl;

namespace {

std::string typed(const QLineEdit* field) {
    return field ? field->text().toStdString() : std::string();
}

} // namespace

ManagerPasswordDialog::ManagerPasswordDialog(Database& db, QWidget* parent)
    : QDialog(parent), m_db(db) {
    setWindowTitle("管理密码");
    const bool isSet = ManagerPassword(db).isSet();
    auto* layout = new QFormLayout(this);
    auto* note = new QLabel(isSet ? "已设置管理密码。要修改或删除它，请先输入当前密码。"
                                  : "还没有管理密码。设置后，删除或修改订单、恢复数据前都要"
                                    "先输入它。",
                            this);
    note->setWordWrap(true);
    layout->addRow(note);
    if (isSet) {
        m_current = passwordField("编辑框_当前密码", "当前密码");
        layout->addRow("当前密码：", m_current);
    }
    m_next = passwordField("编辑框_新密码", "新密码");
    m_again = passwordField("编辑框_确认密码", "再次输入新密码");
    layout->addRow("新密码：", m_next);
    layout->addRow("再次输入新密码：", m_again);

    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    QPushButton* ok = addCaptionButton(row, buttons, "确定");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ManagerPasswordDialog::confirm);
    if (isSet)
        connect(addCaptionButton(row, buttons, "删除密码"), &QPushButton::clicked, this,
                &ManagerPasswordDialog::removePassword);
    connect(addCaptionButton(row, buttons, "取消"), &QPushButton::clicked, this, &QDialog::reject);
    layout->addRow(buttons);
    setMinimumWidth(420);
}

QLineEdit* ManagerPasswordDialog::passwordField(const QString& name, const QString& caption) {
    auto* field = new QLineEdit(this);
    nameControl(field, name, caption);
    field->setEchoMode(QLineEdit::Password);
    return field;
}

void ManagerPasswordDialog::confirm() {
    const ManagerPassword::Result result =
        ManagerPassword(m_db).change(typed(m_current), typed(m_next), typed(m_again));
    tell(result.outcome == ManagerPassword::Outcome::Set ||
             result.outcome == ManagerPassword::Outcome::Changed,
         result.message);
}

void ManagerPasswordDialog::removePassword() {
    const ManagerPassword::Result result = ManagerPassword(m_db).remove(typed(m_current));
    tell(result.outcome == ManagerPassword::Outcome::Removed, result.message);
}

void ManagerPasswordDialog::tell(bool done, const std::string& message) {
    MessageBoxes::instance().inform(this, QString::fromStdString(message),
                                    done ? MessageBoxes::Icon::Information
                                         : MessageBoxes::Icon::Warning);
    if (done)
        accept();
}
