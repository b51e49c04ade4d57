#include "ui/order/AmountQuestion.h"

#include "orders/OrderChecks.h"
#include "ui/common/MessageBoxes.h"
#include "ui/order/MainWindowForm.h"
#include "ui/order/OrderGridView.h"

#include <QLineEdit>

namespace AmountQuestion {

bool goOn(QWidget* owner, const MainWindowForm& form, const OrderDraft& order) {
    using Field = OrderChecks::AmountDoubts::Field;
    const OrderChecks::AmountDoubts doubts = OrderChecks::impossibleAmounts(order);
    if (doubts.empty())
        return true;
    if (MessageBoxes::instance().ask(owner, QString::fromStdString(doubts.question()),
                                     MessageBoxes::Icon::Question, QStringLiteral("信息："),
                                     MessageBoxes::Default::No))
        return true;
    switch (doubts.firstField) {
    case Field::Quantity:
        form.grid->setFocus();
        form.grid->setCurrentGridCell(doubts.gridRow, OrderGrid::Quantity);
        break;
    case Field::DiscountAmount:
        form.discountAmount->setFocus();
        break;
    case Field::ActuallyPaid:
        form.actuallyPaid->setFocus();
        break;
    case Field::None:
        break;
    }
    return false;
}

} // namespace AmountQuestion
