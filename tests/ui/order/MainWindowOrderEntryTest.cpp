#include "support/MainWindowTest.h"

#include "ui/order/OrderGridView.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

class OrderEntry : public MainWindowTest {
  protected:
    QLineEdit* codeBox() const { return edit("编辑框_项目代号"); }
    QTreeView* results() const { return control<QTreeView>("超级列表框2"); }
    OrderGridView* grid() const { return control<OrderGridView>("高级表格1"); }

    void typeCode(const QString& code) {
        codeBox()->clear();
        QTest::keyClicks(codeBox(), code);
    }

    QStringList resultCodes() const {
        QStringList codes;
        QAbstractItemModel* model = results()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            codes << model->index(r, 1).data().toString();
        return codes;
    }

    // Types a code, answers the quantity box and presses Enter.
    void enterDish(const QString& code, const QString& quantity) {
        typeCode(code);
        boxes.inputs.push_back(quantity);
        QTest::keyClick(codeBox(), Qt::Key_Return);
    }

    QString cell(int gridRow, int column) const {
        const QTableWidgetItem* item = grid()->item(gridRow - 1, column);
        return item ? item->text() : QString();
    }

    // Edits a cell as the cashier does: the edit finishes with the new text.
    void editCell(int gridRow, int column, const QString& text) {
        grid()->setCurrentCell(gridRow - 1, column);
        grid()->item(gridRow - 1, column)->setText(text);
    }

    QStringList totals() const {
        return {textOf("编辑框_合计"), textOf("编辑框_已支付"), textOf("编辑框_实付")};
    }
};

} // namespace

TEST_F(OrderEntry, TypingOneListsEverySeedDishWhoseCodeContainsIt) {
    typeCode("1");
    const QStringList expected{"001", "010", "011", "012", "013", "014", "015", "016", "017",
                               "018", "019", "101", "102", "103", "104", "201", "105", "108"};
    EXPECT_EQ(resultCodes(), expected);
    EXPECT_EQ(results()->currentIndex().row(), 0);
}

TEST_F(OrderEntry, SearchIsCaseSensitiveAndEmptiesOnBlankText) {
    typeCode("H");
    EXPECT_TRUE(resultCodes().isEmpty());
    typeCode("hs");
    EXPECT_EQ(resultCodes(), (QStringList{"001", "003", "014", "201"}));
    typeCode("  ");
    EXPECT_TRUE(resultCodes().isEmpty());
}

TEST_F(OrderEntry, UpAndDownMoveTheResultSelectionWithinTheList) {
    typeCode("00");
    QTest::keyClick(codeBox(), Qt::Key_Up);
    EXPECT_EQ(results()->currentIndex().row(), 0);
    QTest::keyClick(codeBox(), Qt::Key_Down);
    QTest::keyClick(codeBox(), Qt::Key_Down);
    EXPECT_EQ(results()->currentIndex().row(), 2);
    EXPECT_EQ(codeBox()->text(), "00");
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(codeBox(), Qt::Key_Down);
    EXPECT_EQ(results()->currentIndex().row(), resultCodes().size() - 1);
}

TEST_F(OrderEntry, ChoosingADishAsksTheQuantityAndFillsTheFirstFreeRow) {
    edit("编辑框_减免金额")->setText("10");
    enterDish("005", "3");
    ASSERT_FALSE(boxes.shown.isEmpty());
    EXPECT_EQ(boxes.shown.last().title, "菜品选择");
    EXPECT_EQ(boxes.shown.last().text,
              "请输入菜品：白菜肉水饺 的数量。\r\n\r\n按 Esc键 取消选择。");
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "白菜肉水饺");
    EXPECT_EQ(cell(1, 1), "3");
    EXPECT_EQ(cell(1, 2), "份");
    EXPECT_EQ(cell(1, 3), "46.5");
    EXPECT_EQ(totals(), (QStringList{"46.5", "36.5", "36.5"}));
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(grid()->currentColumn(), 1);
    EXPECT_EQ(codeBox()->selectedText(), "005");

    enterDish("wlj", "2");
    EXPECT_EQ(cell(2, 0), "王老吉");
    EXPECT_EQ(cell(2, 3), "7");
    EXPECT_EQ(totals(), (QStringList{"53.5", "43.5", "43.5"}));
}

TEST_F(OrderEntry, CancellingTheQuantityOrAnEmptyListChangesNothing) {
    typeCode("005");
    boxes.inputs.push_back(std::nullopt); // cancelled
    QTest::keyClick(codeBox(), Qt::Key_Return);
    typeCode("zzz");
    boxes.inputs.push_back("2");
    QTest::keyClick(codeBox(), Qt::Key_Return);
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(boxes.inputs.size(), 1u);
    EXPECT_EQ(textOf("编辑框_合计"), "");
}

TEST_F(OrderEntry, BoxesAndCellsRefuseWhatTheirColumnsCannotHold) {
    const struct {
        const char* control;
        QString typed;
        QString kept;
    } cases[] = {
        {"编辑框_备注", QString(300, 'x'), QString(255, 'x')},
        {"编辑框_地址", QString(300, 'x'), QString(255, 'x')},
        {"编辑框_电话", "13800001111222233334444", "1380000111122223"},
        {"编辑框_姓名", QString(20, 'x'), QString(16, 'x')},
        {"编辑框_减免份数", "99999", "9999"},
        {"编辑框_减免份数", "-40000", "-4000"},
        {"编辑框_减免份数", "1.5", "15"},
        {"编辑框_减免金额", "12abc", "12"},
        {"编辑框_减免金额", "12345678901234567890", "1234567890123"},
        {"编辑框_实付", "-7.25", "-7.25"},
        {"编辑框_实付", "7.255", "7.25"},
        {"编辑框_编号", "99999999999", "999999999"},
    };
    for (const auto& c : cases) {
        QLineEdit* box = edit(c.control);
        box->clear();
        QTest::keyClicks(box, c.typed);
        EXPECT_EQ(box->text(), c.kept) << c.control << " " << c.typed.toStdString();
    }
    for (const char* name : {"组合框_票头", "组合框_店铺名称", "组合框_减免", "组合框_桌号"}) {
        QComboBox* box = dropDown(name);
        box->clearEditText();
        QTest::keyClicks(box->lineEdit(), QString(40, 'x'));
        EXPECT_EQ(box->currentText().size(), 32) << name;
    }

    enterDish("005", "3");
    const struct {
        int column;
        QString typed;
        QString kept;
    } cells[] = {{OrderGrid::Quantity, "99999", "9999"},
                 {OrderGrid::Quantity, "-32768", "-32768"},
                 {OrderGrid::Name, QString(40, 'x'), QString(32, 'x')}};
    for (const auto& c : cells) {
        grid()->setCurrentCell(0, c.column);
        grid()->edit(grid()->currentIndex());
        QWidget* opened = grid()->indexWidget(grid()->currentIndex());
        ASSERT_NE(opened, nullptr) << c.column;
        auto* editor = qobject_cast<QLineEdit*>(opened);
        if (auto* box = qobject_cast<QComboBox*>(opened))
            editor = box->lineEdit();
        ASSERT_NE(editor, nullptr) << c.column;
        editor->clear();
        QTest::keyClicks(editor, c.typed);
        EXPECT_EQ(editor->text(), c.kept) << c.column;
        QTest::keyClick(editor, Qt::Key_Escape);
    }
}

TEST_F(OrderEntry, DiscountAmountRecomputesOnlyAPricedOrder) {
    edit("编辑框_减免金额")->setText("5");
    EXPECT_EQ(totals(), (QStringList{"", "", ""}));
    enterDish("005", "3");
    edit("编辑框_减免金额")->setText("10");
    EXPECT_EQ(totals(), (QStringList{"46.5", "36.5", "36.5"}));
}

TEST_F(OrderEntry, TypedSubtotalStandsAndQuantityRecomputes) {
    enterDish("005", "3");
    editCell(1, 3, "20");
    EXPECT_EQ(cell(1, 3), "20");
    EXPECT_EQ(textOf("编辑框_合计"), "20");
    editCell(1, 1, "2");
    EXPECT_EQ(cell(1, 3), "31");
    EXPECT_EQ(textOf("编辑框_合计"), "31");
    editCell(1, 1, "0");
    EXPECT_EQ(cell(1, 1), "1");
}

TEST_F(OrderEntry, PickingADishNameInTheGridPricesIt) {
    editCell(1, 0, "酸菜鱼");
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_EQ(cell(1, 2), "份");
    EXPECT_EQ(cell(1, 3), "16");
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(textOf("编辑框_合计"), "16");
}

TEST_F(OrderEntry, OnlyDishRowsTakeQuantityAndSubtotal) {
    enterDish("005", "1");
    const auto editable = [&](int gridRow, int column) {
        return bool(grid()->item(gridRow - 1, column)->flags() & Qt::ItemIsEditable);
    };
    EXPECT_TRUE(editable(1, 0));
    EXPECT_TRUE(editable(1, 1));
    EXPECT_FALSE(editable(1, 2));
    EXPECT_TRUE(editable(1, 3));
    EXPECT_TRUE(editable(2, 0));
    EXPECT_FALSE(editable(2, 1));
    EXPECT_FALSE(editable(2, 3));
}

TEST_F(OrderEntry, DeletingTheOnlyLineAsksAndLeavesTotalZero) {
    edit("编辑框_减免金额")->setText("10");
    enterDish("005", "3");
    grid()->setCurrentCell(0, 0);
    boxes.answers = {false, true};
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(boxes.lastText(), "是否删除光标所在的整行数据。");
    EXPECT_EQ(grid()->rowCount(), 2);

    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(totals(), (QStringList{"0", "-10", "-10"}));
}

TEST_F(OrderEntry, DeleteRowMenuItemAndTheEmptyRow) {
    enterDish("005", "1");
    enterDish("105", "1");
    const qsizetype asked = boxes.shown.size();
    grid()->setCurrentCell(2, 0); // the empty last row
    window->form().deleteLineAction->trigger();
    EXPECT_EQ(boxes.shown.size(), asked);
    grid()->setCurrentCell(0, 1);
    boxes.answers = {true};
    window->form().deleteLineAction->trigger();
    EXPECT_EQ(cell(1, 0), "王老吉");
    EXPECT_EQ(textOf("编辑框_合计"), "3.5");
}

TEST_F(OrderEntry, TableCodeSelectsTheTable) {
    edit("编辑框_时间2")->setText("2");
    QComboBox* table = dropDown("组合框_桌号");
    ASSERT_EQ(table->count(), 2);
    EXPECT_EQ(table->itemText(0), "号牌 1");
    EXPECT_EQ(table->currentIndex(), 1);
    EXPECT_EQ(table->currentText(), "号牌 2");

    edit("编辑框_时间2")->setText("999");
    EXPECT_EQ(table->count(), 18);
    EXPECT_EQ(table->currentIndex(), -1);
}

TEST_F(OrderEntry, TelephoneLooksUpTheCustomer) {
    ASSERT_TRUE(db.ExecuteSql(
        "insert into 客户 (电话,姓名,地址) values ('13800000001','王五','人民路''1号')"));
    edit("编辑框_电话")->setText("13800000001");
    EXPECT_EQ(textOf("编辑框_姓名"), "王五");
    EXPECT_EQ(textOf("编辑框_地址"), "人民路'1号");
    QTest::keyClick(edit("编辑框_电话"), Qt::Key_End);
    QTest::keyClicks(edit("编辑框_电话"), "2");
    EXPECT_EQ(textOf("编辑框_姓名"), "");
    EXPECT_EQ(textOf("编辑框_地址"), "");
}

TEST_F(OrderEntry, SaveCustomerAddsOnlyNewCompleteCustomers) {
    auto* save = control<QPushButton>("按钮_保存客户");
    edit("编辑框_电话")->setText("139");
    save->click();
    EXPECT_EQ(count("select count(*) from 客户"), 0); // no name, no address

    edit("编辑框_姓名")->setText("O'Brien");
    save->click();
    save->click();
    EXPECT_EQ(count("select count(*) from 客户 where 姓名='O''Brien'"), 1);
    EXPECT_EQ(count("select count(*) from 客户"), 1);
}

TEST_F(OrderEntry, DropDownsRefillJustBeforeTheyOpen) {
    QComboBox* discount = dropDown("组合框_减免");
    discount->setCurrentText("开业酬宾");
    discount->showPopup();
    discount->hidePopup();
    const QStringList expected{"", "立减优惠", "整单折扣", "开业酬宾", "开学优惠"};
    QStringList entries;
    for (int i = 0; i < discount->count(); ++i)
        entries << discount->itemText(i);
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(discount->currentIndex(), 3);
}

TEST_F(OrderEntry, ClearingAsksThenKeepsTheRememberedFields) {
    clock.set({2026, 12, 8, 12, 31, 0});
    dropDown("组合框_票头")->setEditText("美团(第1联)");
    edit("编辑框_减免金额")->setText("3");
    edit("编辑框_电话")->setText("555");
    edit("编辑框_备注")->setText("不要葱");
    enterDish("005", "2");

    boxes.answers = {false, true};
    control<QPushButton>("按钮_清空")->click();
    EXPECT_EQ(boxes.lastText(), "是否清空点单数据？");
    EXPECT_EQ(grid()->rowCount(), 2);

    ASSERT_TRUE(
        db.ExecuteSql("insert into 存单 (编号,时间,实付) values (4,'2026-12-08 11:00',20)"));
    control<QPushButton>("按钮_清空")->click();
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(textOf("编辑框_编号"), "5");
    for (const char* emptied : {"编辑框_合计", "编辑框_已支付", "编辑框_实付", "编辑框_电话",
                                "编辑框_姓名", "编辑框_地址", "编辑框_备注", "编辑框_时间2"})
        EXPECT_EQ(textOf(emptied), "") << emptied;
    EXPECT_EQ(dropDown("组合框_票头")->currentText(), "美团(第1联)");
    EXPECT_EQ(textOf("编辑框_减免金额"), "3");
}

TEST_F(OrderEntry, ADraftReadFromTheWindowLoadsBackUnchanged) {
    enterDish("005", "2");
    edit("编辑框_电话")->setText("555");
    edit("编辑框_备注")->setText("少辣");
    dropDown("组合框_付款方式")->setCurrentIndex(2);
    const OrderDraft before = window->orderDraft();
    EXPECT_EQ(before.paymentMethod, "支付宝支付");
    EXPECT_EQ(before.lines.size(), 2u);
    EXPECT_TRUE(window->orderHasContent());

    window->clearOrder();
    EXPECT_FALSE(window->orderHasContent());
    window->loadOrderDraft(before);
    EXPECT_EQ(window->orderDraft(), before);
}

TEST_F(OrderEntry, DeliveryAndPaymentBoxesSelectAllOnFocus) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const char* name : {"编辑框_电话", "编辑框_姓名", "编辑框_地址", "编辑框_减免份数",
                             "编辑框_减免金额", "编辑框_已支付", "编辑框_实付"}) {
        QLineEdit* box = edit(name);
        box->setText("12");
        codeBox()->setFocus();
        box->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(box->selectedText(), "12") << name;
    }
}

TEST_F(OrderEntry, CellEditorsPickDishNamesAndTakeNumbersOnly) {
    window->show();
    grid()->setCurrentCell(0, 0);
    grid()->editItem(grid()->item(0, 0));
    auto* nameEditor = grid()->viewport()->findChild<QComboBox*>();
    ASSERT_NE(nameEditor, nullptr);
    EXPECT_EQ(nameEditor->count(), 28);
    nameEditor->setCurrentText("王老吉");
    QTest::keyClick(nameEditor, Qt::Key_Return);
    QApplication::processEvents(); // the editor commits once its key event is done
    EXPECT_EQ(cell(1, 3), "3.5");
    EXPECT_EQ(grid()->rowCount(), 2);

    grid()->setCurrentCell(0, 1);
    grid()->editItem(grid()->item(0, 1));
    auto* quantityEditor = grid()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(quantityEditor, nullptr);
    quantityEditor->selectAll();
    QTest::keyClicks(quantityEditor, "4x");
    EXPECT_EQ(quantityEditor->text(), "4");
    QTest::keyClick(quantityEditor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(cell(1, 3), "14");
    EXPECT_EQ(textOf("编辑框_合计"), "14");
}

TEST_F(OrderEntry, ErasingADishNameInTheEditorTakesTheLineOut) {
    window->show();
    enterDish("005", "1");
    enterDish("105", "2");
    grid()->setCurrentCell(0, 0);
    grid()->editItem(grid()->item(0, 0));
    auto* nameEditor = grid()->viewport()->findChild<QComboBox*>();
    ASSERT_NE(nameEditor, nullptr);
    nameEditor->setCurrentText("");
    QTest::keyClick(nameEditor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "王老吉");
    EXPECT_EQ(textOf("编辑框_合计"), "7");
}

TEST_F(OrderEntry, AnEmptyCatalogueFindsNothingAndOffersNoNames) {
    typeCode("1");
    ASSERT_EQ(resultCodes().size(), 18);
    ASSERT_TRUE(db.ExecuteSql("Delete * from 菜单 where ID>0"));
    window->reloadDishes();
    EXPECT_TRUE(resultCodes().isEmpty());
    EXPECT_TRUE(grid()->dishNames().isEmpty());
    typeCode("001");
    boxes.inputs.push_back("1");
    QTest::keyClick(codeBox(), Qt::Key_Return);
    EXPECT_EQ(grid()->rowCount(), 1);
}

TEST_F(OrderEntry, QuantityBoxIsAnIntegerBoxOfTheColumnsRange) {
    enterDish("105", "4");
    EXPECT_EQ(boxes.integerRange, (std::pair{-32768, 32767}));
    enterDish("105", "0");
    EXPECT_EQ(cell(1, 1), "4");
    EXPECT_EQ(cell(1, 3), "14");
    EXPECT_EQ(cell(2, 1), "1") << "a quantity of 0 becomes 1";
    EXPECT_EQ(textOf("编辑框_合计"), "17.5");
}
