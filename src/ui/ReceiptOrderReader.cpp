#include "ui/ReceiptOrderReader.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace {

std::string fieldText(const QWidget* window, const char* name) {
    const auto* widget = window->findChild<QWidget*>(QString::fromUtf8(name));
    if (const auto* box = qobject_cast<const QComboBox*>(widget))
        return box->currentText().toStdString();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text().toStdString();
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(widget))
        return edit->toPlainText().toStdString();
    return {};
}

std::string cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

std::vector<ReceiptDish> dishes(const QWidget* window) {
    std::vector<ReceiptDish> out;
    const auto* grid = window->findChild<QTableWidget*>(QStringLiteral("高级表格1"));
    if (!grid)
        return out;
    // Row 0 is the grid's header row.
    for (int row = 1; row < grid->rowCount(); ++row)
        out.push_back(
            {cell(grid, row, 0), cell(grid, row, 1), cell(grid, row, 2), cell(grid, row, 3)});
    return out;
}

} // namespace

ReceiptOrder readReceiptOrder(const QWidget* w) {
    ReceiptOrder o;
    o.number = fieldText(w, "编辑框_编号");
    o.header = fieldText(w, "组合框_票头");
    o.shop = fieldText(w, "组合框_店铺名称");
    o.paymentMethod = fieldText(w, "组合框_付款方式");
    o.orderTime = fieldText(w, "编辑框_时间");
    o.dishes = dishes(w);
    o.total = fieldText(w, "编辑框_合计");
    o.discountName = fieldText(w, "组合框_减免");
    o.discountCount = fieldText(w, "编辑框_减免份数");
    o.discountAmount = fieldText(w, "编辑框_减免金额");
    o.paid = fieldText(w, "编辑框_已支付");
    o.table = fieldText(w, "组合框_桌号");
    o.customerName = fieldText(w, "编辑框_姓名");
    o.customerPhone = fieldText(w, "编辑框_电话");
    o.address = fieldText(w, "编辑框_地址");
    o.remark = fieldText(w, "编辑框_备注");
    return o;
}
