#include "orders/OrderDraft.h"

#include "orders/OrderGrid.h"
#include "storage/engine/StorageFailure.h"

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

std::string OrderDraft::textRefusal() const {
    std::string refusal = StorageFailures::textRefusal({{"编号", &number},
                                                        {"票头", &header},
                                                        {"店铺名称", &shop},
                                                        {"时间", &orderTime},
                                                        {"桌号", &table},
                                                        {"电话", &telephone},
                                                        {"姓名", &name},
                                                        {"地址", &address},
                                                        {"减免", &discountName},
                                                        {"减免份数", &discountPortions},
                                                        {"减免金额", &discountAmount},
                                                        {"支付方式", &paymentMethod},
                                                        {"合计", &total},
                                                        {"已支付", &paid},
                                                        {"实付", &actuallyPaid},
                                                        {"备注", &remark}});
    for (const OrderLine& line : lines)
        if (refusal.empty())
            refusal = StorageFailures::textRefusal({{"菜名", &line.dishName},
                                                    {"单位", &line.unit},
                                                    {"数量", &line.quantity},
                                                    {"小计", &line.subtotal}});
    return refusal;
}

std::vector<OrderLine> OrderDraft::dishLines() const {
    return OrderGrid::fromLines(lines).dishLines();
}

OrderDraft OrderDraft::cleared(std::optional<int> nextNumber) const {
    OrderDraft fresh = *this;
    fresh.number = nextNumber ? std::to_string(*nextNumber) : std::string();
    fresh.lines = {OrderLine{}};
    for (std::string* field :
         {&fresh.total, &fresh.paid, &fresh.actuallyPaid, &fresh.rounding, &fresh.tableCode, &fresh.telephone,
          &fresh.name, &fresh.address, &fresh.remark, &fresh.orderId})
        field->clear();
    return fresh;
}

bool orderHasContent(const OrderDraft& draft) {
    return draft.hasContent();
}
