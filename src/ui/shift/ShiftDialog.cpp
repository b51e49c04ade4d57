#include "ui/shift/ShiftDialog.h"

#include "shift/CashAmount.h"
#include "shift/ShiftSlip.h"
#include "ui/common/ButtonBar.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString titleFor(const ShiftRecord& record, ShiftDialog::Purpose purpose) {
    if (purpose == ShiftDialog::Purpose::Current)
        return QStringLiteral("当前班次统计");
    if (purpose == ShiftDialog::Purpose::Stored)
        return qs(record.title());
    return qs(record.period.kindName());
}

} // namespace

ShiftDialog::ShiftDialog(const ShiftRecord& record, Purpose purpose, QWidget* parent,
                         const std::function<void()>& reprint)
    : QDialog(parent), m_record(record), m_purpose(purpose) {
    setWindowTitle(titleFor(record, purpose));
    auto* column = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    ListControls::nameControl(m_list, QStringLiteral("表格_交班"), windowTitle());
    m_list->setHeaderLabels({QStringLiteral("项目"), QStringLiteral("数目")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumSize(360, 420);
    column->addWidget(m_list);
    if (purpose == Purpose::Handover) {
        auto* form = new QFormLayout;
        addCashBoxes(form);
        column->addLayout(form);
    }
    addButtons(column, reprint);
    showFigures();
}

void ShiftDialog::addCashBoxes(QFormLayout* form) {
    const ShiftFigures& f = m_record.figures;
    // A float carried from the last handover is what that cashier left.
    if (!m_record.period.floatCarried)
        m_float = addCashBox(form, QStringLiteral("备用金"), f.startingFloat);
    // Left empty: the drawer is counted, not confirmed.
    m_counted = addCashBox(form, QStringLiteral("实点现金"), {});
    m_counted->clear();
    m_left = addCashBox(form, QStringLiteral("留存备用金"), f.startingFloat);
    m_counted->setFocus();
}

QLineEdit* ShiftDialog::addCashBox(QFormLayout* form, const QString& caption, Money initial) {
    auto* box = new QLineEdit(qs(initial.text()), this);
    ListControls::nameControl(box, QStringLiteral("编辑框_") + caption, caption);
    box->selectAll();
    form->addRow(caption + QStringLiteral("："), box);
    connect(box, &QLineEdit::textChanged, this, [this] { showFigures(); });
    return box;
}

void ShiftDialog::addButtons(QVBoxLayout* column, const std::function<void()>& reprint) {
    ButtonBar bar(this);
    bar.addStretch();
    if (m_purpose == Purpose::Handover || m_purpose == Purpose::DayClose) {
        QPushButton* confirmButton = bar.button(
            m_purpose == Purpose::Handover ? QStringLiteral("确认交班") : QStringLiteral("确认日结"));
        confirmButton->setDefault(true);
        connect(confirmButton, &QPushButton::clicked, this, &ShiftDialog::confirm);
    }
    if (reprint)
        connect(bar.button(QStringLiteral("重打")), &QPushButton::clicked, this, reprint);
    const bool asking = m_purpose == Purpose::Handover || m_purpose == Purpose::DayClose;
    connect(bar.button(asking ? QStringLiteral("取消") : QStringLiteral("关闭")),
            &QPushButton::clicked, this, &QDialog::reject);
    column->addWidget(bar.widget());
}

bool ShiftDialog::readTyped(bool tell) {
    ShiftFigures& f = m_record.figures;
    const std::pair<QLineEdit*, Money*> boxes[] = {
        {m_float, &f.startingFloat}, {m_counted, &f.counted}, {m_left, &f.left}};
    for (const auto& [box, amount] : boxes) {
        if (!box)
            continue;
        std::string refusal;
        const std::optional<Money> typed =
            CashAmount::read(box->text().toStdString(), box->accessibleName().toStdString(), refusal);
        if (!typed) {
            if (tell) {
                MessageBoxes::instance().inform(this, qs(refusal), MessageBoxes::Icon::Warning);
                box->setFocus();
                box->selectAll();
            }
            return false;
        }
        *amount = *typed;
    }
    return true;
}

void ShiftDialog::confirm() {
    if (readTyped(true))
        accept();
}

// A handover shows its difference once what was typed reads as amounts.
void ShiftDialog::showFigures() {
    const bool counted = m_purpose == Purpose::Handover ? readTyped(false)
                                                        : m_purpose != Purpose::Current;
    m_list->clear();
    for (const ShiftSlip::Line& line : ShiftSlip::lines(m_record, counted))
        new QTreeWidgetItem(m_list, {qs(line.caption), qs(line.value)});
}
