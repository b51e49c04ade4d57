#include "ui/shift/CashierListWindow.h"

#include "shift/Cashiers.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/NameField.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using ListControls::addCaptionButton;

CashierListWindow::CashierListWindow(Database& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_box(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("收银员设置"));
    setObjectName(QStringLiteral("收银员设置"));
    auto* label = new QLabel(QStringLiteral("收银员："), this);
    m_box->setEditable(true);
    NameField::keepControlCharactersOut(m_box->lineEdit());
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setMinimumWidth(220);
    ListControls::nameControl(m_box, QStringLiteral("组合框1"), QStringLiteral("收银员"));
    ColumnLimits::apply(m_box, "收银员", "姓名");
    label->setBuddy(m_box);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_box, 1);
    connect(addCaptionButton(layout, this, QStringLiteral("保存")), &QPushButton::clicked, this,
            &CashierListWindow::addCashier);
    connect(addCaptionButton(layout, this, QStringLiteral("删除")), &QPushButton::clicked, this,
            &CashierListWindow::removeCashier);
    reload();
}

void CashierListWindow::reload() {
    const ReadResult<std::vector<std::string>> names = Cashiers(m_db).names();
    if (!names)
        return tell(names.message("读取收银员", "列表没有显示。"), true);
    m_box->clear();
    for (const std::string& name : *names)
        m_box->addItem(QString::fromStdString(name));
    m_box->setCurrentIndex(-1);
}

void CashierListWindow::addCashier() {
    QString pin;
    if (!MessageBoxes::instance().askPassword(
            this, QStringLiteral("收银员 PIN"),
            QStringLiteral("交班和开机时要输入的 PIN（可不填）："), pin))
        return;
    const std::string refusal =
        Cashiers(m_db).add(m_box->currentText().toStdString(), pin.toStdString());
    if (!refusal.empty())
        return tell(refusal, true);
    reload();
    tell("处理成功。", false);
}

void CashierListWindow::removeCashier() {
    const std::string refusal = Cashiers(m_db).remove(m_box->currentText().toStdString());
    if (!refusal.empty())
        return tell(refusal, true);
    reload();
    tell("处理成功。", false);
}

void CashierListWindow::tell(const std::string& message, bool failed) {
    MessageBoxes::instance().inform(
        this, QString::fromStdString(message),
        failed ? MessageBoxes::Icon::Warning : MessageBoxes::Icon::Information,
        QStringLiteral("提示"));
}
