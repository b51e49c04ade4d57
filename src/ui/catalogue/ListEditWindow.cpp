#include "ui/catalogue/ListEditWindow.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

ListEditWindow::ListEditWindow(QWidget* parent, Database& db, QTreeWidget* list, Mode mode,
                               const QString& title)
    : QDialog(parent), m_db(db), m_list(list), m_mode(mode) {
    setWindowTitle(title);
    setObjectName(title);
}

QPushButton* ListEditWindow::confirmButton() {
    const bool adding = m_mode == Mode::Add;
    auto* confirm = new QPushButton(adding ? QStringLiteral("添加") : QStringLiteral("保存"), this);
    ListControls::nameControl(confirm,
                              adding ? QStringLiteral("按钮_添加") : QStringLiteral("按钮_保存"),
                              confirm->text());
    confirm->setDefault(true);
    return confirm;
}

bool ListEditWindow::added(const ListOutcome& outcome, const ListRow& row) {
    auto& boxes = MessageBoxes::instance();
    const QString message = QString::fromStdString(outcome.message);
    if (outcome.kind == ListOutcome::Kind::Failed) {
        if (!message.isEmpty())
            boxes.inform(this, message, MessageBoxes::Icon::Warning);
        return false;
    }
    if (outcome.kind == ListOutcome::Kind::Refused) {
        // A duplicate shows the row it duplicates; any other refusal leaves
        // the list as the cashier left it.
        if (m_mode == Mode::Add && outcome.row >= 0)
            ListControls::selectRow(m_list, outcome.row);
        boxes.inform(this, message);
        return false;
    }
    ListControls::setRow(m_list, outcome.row, row);
    ListControls::selectRow(m_list, outcome.row);
    if (m_mode == Mode::Modify) {
        accept();
        boxes.inform(parentWidget(), message, MessageBoxes::Icon::None);
        return false;
    }
    boxes.inform(this, message, MessageBoxes::Icon::None);
    return true;
}

void ListEditWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_mode == Mode::Add)
        return;
    // After the window took focus, which would select the whole code.
    QTimer::singleShot(0, m_code, [code = m_code] {
        code->setFocus();
        code->deselect();
        code->end(false);
    });
}
