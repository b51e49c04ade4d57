#include "ui/shift/CashierDialog.h"

#include "shift/Cashiers.h"
#include "ui/common/ButtonBar.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void warn(QWidget* parent, const std::string& text) {
    MessageBoxes::instance().inform(parent, QString::fromStdString(text),
                                    MessageBoxes::Icon::Warning);
}

} // namespace

CashierDialog::CashierDialog(Database& db, const std::vector<std::string>& names, QWidget* parent)
    : QDialog(parent), m_db(db), m_names(new QComboBox(this)), m_pin(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("谁在收银"));
    for (const std::string& name : names)
        m_names->addItem(QString::fromStdString(name));
    ListControls::nameControl(m_names, QStringLiteral("组合框_收银员"), QStringLiteral("收银员"));
    m_pin->setEchoMode(QLineEdit::Password);
    ListControls::nameControl(m_pin, QStringLiteral("编辑框_PIN"), QStringLiteral("PIN"));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("收银员："), m_names);
    form->addRow(QStringLiteral("PIN（没有设置可不填）："), m_pin);
    column->addLayout(form);
    ButtonBar bar(this);
    bar.addStretch();
    QPushButton* confirmButton = bar.button(QStringLiteral("确定"));
    confirmButton->setDefault(true);
    connect(confirmButton, &QPushButton::clicked, this, &CashierDialog::confirm);
    connect(bar.button(QStringLiteral("取消")), &QPushButton::clicked, this, &QDialog::reject);
    column->addWidget(bar.widget());
}

std::string CashierDialog::chosen() const {
    return m_names->currentText().toStdString();
}

void CashierDialog::confirm() {
    const ReadResult<bool> accepted = Cashiers(m_db).accepts(chosen(), m_pin->text().toStdString());
    if (!accepted)
        return warn(this, accepted.message("读取收银员", "请稍后再试。"));
    if (!*accepted) {
        m_pin->selectAll();
        m_pin->setFocus();
        return warn(this, "PIN 不正确，请重新输入。");
    }
    accept();
}

std::optional<std::string> CashierDialog::ask(Database& db, QWidget* parent) {
    const ReadResult<std::vector<std::string>> names = Cashiers(db).names();
    if (!names) {
        warn(parent, names.message("读取收银员", "收银员没有改变。"));
        return std::nullopt;
    }
    if (names->empty())
        return std::string();
    CashierDialog dialog(db, *names, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}
