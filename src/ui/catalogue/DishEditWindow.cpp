#include "ui/catalogue/DishEditWindow.h"
#include "catalogue/DishCatalogue.h"
#include "catalogue/LetterCode.h"
#include "catalogue/NamedList.h"
#include "ui/catalogue/NamedListWindow.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/NameField.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using ListControls::nameControl;

namespace {

std::string textOf(const QLineEdit* field) {
    return field->text().toStdString();
}

} // namespace

DishEditWindow::DishEditWindow(QWidget* parent, Database& db, QTreeWidget* catalogueList, Mode mode)
    : ListEditWindow(parent, db, catalogueList, mode,
                     mode == Mode::Add ? QStringLiteral("项目或菜品添加")
                                       : QStringLiteral("项目或菜品修改")) {

    auto* form = new QFormLayout(this);
    m_code = addField(QStringLiteral("编辑框_数字代号"), QStringLiteral("数字代号"));
    m_letters = addField(QStringLiteral("编辑框_字母代号"), QStringLiteral("字母代号"));
    m_name = addField(QStringLiteral("编辑框_菜品名称"), QStringLiteral("菜品名称"));
    NameField::keepControlCharactersOut(m_name);
    m_price = addField(QStringLiteral("编辑框_价格"), QStringLiteral("价格"));
    ColumnLimits::apply(m_code, "菜单", "代码");
    ColumnLimits::apply(m_letters, "菜单", "字母");
    ColumnLimits::apply(m_name, "菜单", "菜名");
    m_unit = new QComboBox(this);
    nameControl(m_unit, QStringLiteral("组合框_单位"), QStringLiteral("单位"));
    auto* units = new QPushButton(QStringLiteral("单位设置"), this);
    nameControl(units, QStringLiteral("按钮_单位设置"), units->text());
    units->setAutoDefault(false);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(m_unit, 1);
    unitRow->addWidget(units);

    form->addRow(QStringLiteral("数字代号："), m_code);
    form->addRow(QStringLiteral("字母代号："), m_letters);
    form->addRow(QStringLiteral("菜品名称："), m_name);
    form->addRow(QStringLiteral("价      格："), m_price);
    form->addRow(QStringLiteral("单      位："), unitRow);
    // Empty first: a dish that goes to no kitchen station.
    m_station = new QComboBox(this);
    nameControl(m_station, QStringLiteral("组合框_出品部门"), QStringLiteral("出品部门"));
    tellUnread(fillDropDown(m_station, db, "select 名称 from 出品部门 order by ID", "名称"));
    form->addRow(QStringLiteral("出品部门："), m_station);

    QPushButton* confirm = confirmButton();
    form->addRow(confirm);
    setMinimumWidth(320);

    connect(units, &QPushButton::clicked, this, &DishEditWindow::openUnits);
    tellUnread(fillUnitDropDown(m_unit, db));
    if (mode == Mode::Add) {
        connect(confirm, &QPushButton::clicked, this, &DishEditWindow::addDish);
        connect(m_name, &QLineEdit::textChanged, this, [this](const QString& name) {
            m_letters->setText(
                QString::fromStdString(LetterCode::deriveLetterCode(name.toStdString())));
        });
        return;
    }
    connect(confirm, &QPushButton::clicked, this, &DishEditWindow::modifyDish);
    const ListRow row = ListControls::rowOf(m_list, ListControls::selectedRow(m_list));
    if (row.size() > DishCatalogue::Unit) {
        m_code->setText(QString::fromStdString(row[DishCatalogue::Code]));
        m_letters->setText(QString::fromStdString(row[DishCatalogue::Letters]));
        m_name->setText(QString::fromStdString(row[DishCatalogue::Name]));
        m_price->setText(QString::fromStdString(row[DishCatalogue::Price]));
    }
    if (row.size() > DishCatalogue::Name) {
        const ReadResult<std::string> station =
            DishCatalogue(db).stationOf(row[DishCatalogue::Name]);
        // Saved unread, the dish would lose its station.
        if (station)
            m_station->setCurrentText(QString::fromStdString(*station));
        else
            tellUnread(
                QString::fromStdString(station.message("读取菜品的出品部门", "菜品不能修改。")));
        confirm->setEnabled(bool(station));
    }
    reselectUnit();
}

QLineEdit* DishEditWindow::addField(const QString& name, const QString& caption) {
    auto* field = new QLineEdit(this);
    nameControl(field, name, caption);
    return field;
}

DishInput DishEditWindow::dishOnScreen() const {
    return DishInput::fromFields(textOf(m_code), textOf(m_letters), textOf(m_name), textOf(m_price),
                                 m_unit->currentText().toStdString(),
                                 m_station->currentText().toStdString());
}

void DishEditWindow::addDish() {
    const DishInput dish = dishOnScreen();
    if (!added(DishCatalogue(m_db).addDish(dish, ListControls::rowsOf(m_list)), dish.toRow()))
        return;
    for (QLineEdit* field : {m_code, m_letters, m_name, m_price})
        field->clear();
    m_code->setFocus();
}

void DishEditWindow::modifyDish() {
    const DishInput dish = dishOnScreen();
    added(DishCatalogue(m_db).modifyDish(dish, ListControls::rowsOf(m_list)), dish.toRow());
}

void DishEditWindow::tellUnread(const QString& failure) {
    if (!failure.isEmpty())
        MessageBoxes::instance().inform(this, failure, MessageBoxes::Icon::Warning);
}

void DishEditWindow::openUnits() {
    NamedListWindow units(this, m_db, NamedList::units());
    units.exec();
    tellUnread(fillUnitDropDown(m_unit, m_db));
    if (m_mode == Mode::Modify)
        reselectUnit();
}

void DishEditWindow::reselectUnit() {
    const ListRow row = ListControls::rowOf(m_list, ListControls::selectedRow(m_list));
    const QString unit = row.size() > DishCatalogue::Unit
                             ? QString::fromStdString(row[DishCatalogue::Unit])
                             : QString();
    m_unit->setCurrentIndex(
        unit.isEmpty() ? -1 : m_unit->findText(unit, Qt::MatchExactly | Qt::MatchCaseSensitive));
}
