#include "ui/catalogue/NamedListWindow.h"
#include "catalogue/NamedList.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/NameField.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using ListControls::addCaptionButton;
using ListControls::nameControl;

NamedListWindow::NamedListWindow(QWidget* parent, Database& db, const NamedList& list)
    : QDialog(parent), m_db(db), m_list(list), m_box(new QComboBox(this)) {
    const QString caption = QString::fromStdString(list.caption());
    const QString column = QString::fromStdString(list.column());
    setWindowTitle(caption);
    setObjectName(caption);

    auto* label = new QLabel(column + QStringLiteral("："), this);
    m_box->setEditable(true);
    NameField::keepControlCharactersOut(m_box->lineEdit());
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setMinimumWidth(220);
    nameControl(m_box, QStringLiteral("组合框1"), column);
    ColumnLimits::apply(m_box, list.table(), list.column());
    label->setBuddy(m_box);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_box, 1);
    connect(addCaptionButton(layout, this, QStringLiteral("保存")), &QPushButton::clicked, this,
            &NamedListWindow::addEntry);
    connect(addCaptionButton(layout, this, QStringLiteral("删除")), &QPushButton::clicked, this,
            &NamedListWindow::deleteEntry);

    m_readFailure = &list == &NamedList::units()
                        ? fillUnitDropDown(m_box, db)
                        : fillDropDown(m_box, db, list.selectStatement(), list.column());
    refusedUnread();
}

// The entries are the check against duplicates: unread, they refuse changes.
bool NamedListWindow::refusedUnread() {
    if (m_readFailure.isEmpty())
        return false;
    MessageBoxes::instance().inform(this, m_readFailure, MessageBoxes::Icon::Warning);
    return true;
}

void NamedListWindow::addEntry() {
    if (refusedUnread())
        return;
    const QString text = m_box->currentText();
    if (const std::string refusal = m_list.lengthRefusal(text.toStdString()); !refusal.empty())
        return tell(refusal);
    const int result =
        m_list.addListEntry(m_db, ListControls::entriesOf(m_box), text.toStdString());
    if (result == 1) {
        const int current = m_box->currentIndex();
        m_box->addItem(text);
        m_box->setCurrentIndex(current);
        m_box->setEditText(text);
    }
    tell(NamedList::addMessage(result, m_db));
}

void NamedListWindow::deleteEntry() {
    if (refusedUnread())
        return;
    int entry = -1;
    const int result = m_list.deleteListEntry(m_db, ListControls::entriesOf(m_box),
                                              m_box->currentText().toStdString(), entry);
    if (result == 1) {
        m_box->removeItem(entry);
        m_box->setCurrentIndex(-1);
        m_box->setEditText(QString());
    }
    tell(NamedList::deleteMessage(result, m_db));
}

void NamedListWindow::tell(const std::string& message) {
    if (!message.empty())
        MessageBoxes::instance().inform(this, QString::fromStdString(message),
                                        MessageBoxes::Icon::Information, QStringLiteral("提示"));
}
