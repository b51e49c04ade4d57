#include "ui/catalogue/StationEditWindow.h"
#include "catalogue/StationList.h"
#include "printer/PrinterConnection.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/NameField.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

using ListControls::nameControl;

StationEditWindow::StationEditWindow(QWidget* parent, Database& db, QTreeWidget* stationList,
                                     Mode mode)
    : ListEditWindow(parent, db, stationList, mode,
                     mode == Mode::Add ? QStringLiteral("出品部门添加")
                                       : QStringLiteral("出品部门修改")) {
    m_code = new QLineEdit(this);
    nameControl(m_code, QStringLiteral("编辑框_名称"), QStringLiteral("名称"));
    NameField::keepControlCharactersOut(m_code);
    ColumnLimits::apply(m_code, "出品部门", "名称");
    m_connection = new QComboBox(this);
    m_connection->setEditable(true);
    for (const std::string& candidate : PrinterConnection::candidates())
        m_connection->addItem(QString::fromStdString(candidate));
    m_connection->setCurrentText({});
    nameControl(m_connection, QStringLiteral("组合框_打印机连接"), QStringLiteral("打印机连接"));
    m_printMode = new QComboBox(this);
    m_printMode->addItems(
        {QString::fromUtf8(Station::pictureMode), QString::fromUtf8(Station::textMode)});
    nameControl(m_printMode, QStringLiteral("组合框_打印模式"), QStringLiteral("打印模式"));
    m_copies = new QSpinBox(this);
    m_copies->setRange(1, StationList::maximumCopies);
    nameControl(m_copies, QStringLiteral("编辑框_份数"), QStringLiteral("份数"));
    m_paper = new QComboBox(this);
    m_paper->addItems({QStringLiteral("80"), QStringLiteral("58")});
    nameControl(m_paper, QStringLiteral("组合框_纸宽"), QStringLiteral("纸宽"));
    QPushButton* confirm = confirmButton();
    connect(confirm, &QPushButton::clicked, this, &StationEditWindow::save);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("名称："), m_code);
    form->addRow(QStringLiteral("打印机连接："), m_connection);
    form->addRow(QStringLiteral("打印模式："), m_printMode);
    form->addRow(QStringLiteral("份数："), m_copies);
    form->addRow(QStringLiteral("纸宽（毫米）："), m_paper);
    form->addRow(confirm);
    setMinimumWidth(360);
    if (mode == Mode::Modify)
        showSelected();
}

void StationEditWindow::showSelected() {
    const ListRow row = ListControls::rowOf(m_list, ListControls::selectedRow(m_list));
    if (row.size() <= StationList::PaperWidth)
        return;
    const Station station = StationList::fromRow(row);
    m_oldName = station.name;
    m_code->setText(QString::fromStdString(station.name));
    m_connection->setCurrentText(QString::fromStdString(station.connection));
    m_printMode->setCurrentText(QString::fromStdString(station.mode));
    m_copies->setValue(station.copies);
    m_paper->setCurrentText(QString::number(station.paperWidth));
}

void StationEditWindow::save() {
    const StationList::Input input = StationList::fromFields(
        m_code->text().toStdString(), m_connection->currentText().toStdString(),
        m_printMode->currentText().toStdString(), std::to_string(m_copies->value()),
        m_paper->currentText().toStdString());
    const ListRow row = StationList::toRow(input.station);
    if (!input.refusal.empty()) {
        added(ListOutcome::refused(input.refusal), row);
        return;
    }
    const ListRows shown = ListControls::rowsOf(m_list);
    StationList stations(m_db);
    const ListOutcome outcome = m_mode == Mode::Add
                                    ? stations.add(input.station, shown)
                                    : stations.modify(m_oldName, input.station, shown);
    if (!added(outcome, row))
        return;
    m_code->clear();
    m_connection->setCurrentText({});
    m_code->setFocus();
}
