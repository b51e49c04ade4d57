#include "ui/catalogue/MenuImportModel.h"

#include <QColor>

namespace {

using Kind = MenuImport::Kind;

const QStringList headings = {"行", "结果", "数字代号", "字母代号", "菜名", "价格", "单位", "说明"};

QColor colourOf(Kind kind) {
    switch (kind) {
    case Kind::Refused:
        return QColor(0xC0, 0x00, 0x00);
    case Kind::Change:
        return QColor(0x00, 0x00, 0xC0);
    case Kind::Same:
        return QColor(0x80, 0x80, 0x80);
    default:
        return QColor(Qt::black);
    }
}

} // namespace

MenuImportModel::MenuImportModel(const MenuImport::Preview& preview, QObject* parent)
    : QAbstractTableModel(parent), m_preview(preview) {}

QString MenuImportModel::kindText(Kind kind) {
    switch (kind) {
    case Kind::Add:
        return QStringLiteral("新增");
    case Kind::Change:
        return QStringLiteral("修改");
    case Kind::Same:
        return QStringLiteral("不变");
    default:
        return QStringLiteral("不能导入");
    }
}

int MenuImportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_preview.entries.size());
}

int MenuImportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings.size());
}

QVariant MenuImportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto& entry = m_preview.entries[index.row()];
    if (role == Qt::DisplayRole)
        return text(entry, index.column());
    if (role == Qt::ForegroundRole)
        return colourOf(entry.kind);
    return {};
}

QVariant MenuImportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headings.size())
        return headings[section];
    return {};
}

QString MenuImportModel::text(const MenuImport::Entry& entry, int column) const {
    const auto& dish = entry.dish;
    switch (column) {
    case 0:
        return QString::number(entry.line);
    case 1:
        return kindText(entry.kind);
    case 2:
        return QString::fromStdString(dish.code);
    case 3:
        return QString::fromStdString(dish.letters);
    case 4:
        return QString::fromStdString(dish.name);
    case 5:
        return dish.priceRefusal.empty() && dish.price > 0
                   ? QString::fromStdString(dish.priceText())
                   : QString();
    case 6:
        return QString::fromStdString(dish.unit);
    default:
        return QString::fromStdString(entry.note);
    }
}
