#include "orders/OrderDraft.h"

#include "orders/OrderGrid.h"

const std::vector<std::string>& OrderDraft::paymentMethods() {
    static const std::vector<std::string> methods{"现金支付", "微信支付", "支付宝支付",
                                                  "在线支付", "到付",     "混合支付"};
    return methods;
}

bool OrderDraft::hasDishes() const {
    return OrderGrid::fromLines(lines).hasDishes();
}

bool OrderDraft::hasContent() const {
    return OrderGrid::fromLines(lines).rowCount() > 2 || !telephone.empty();
}

std::vector<OrderLine> OrderDraft::dishLines() const {
    return OrderGrid::fromLines(lines).dishLines();
}

OrderDraft OrderDraft::cleared(int nextNumber) const {
    OrderDraft fresh = *this;
    fresh.number = std::to_string(nextNumber);
    fresh.lines = {OrderLine{}};
    for (std::string* field :
         {&fresh.total, &fresh.paid, &fresh.actuallyPaid, &fresh.tableCode, &fresh.telephone,
          &fresh.name, &fresh.address, &fresh.remark, &fresh.orderId})
        field->clear();
    return fresh;
}

bool orderHasContent(const OrderDraft& draft) {
    return draft.hasContent();
}
