#include "orders/OrderDefaults.h"

#include "orders/OrderDraft.h"
#include "storage/SettingsStore.h"
#include "storage/Values.h"

OrderDefaults OrderDefaults::load(const SettingsStore& settings) {
    OrderDefaults d;
    d.header = settings.get("票头", "");
    d.shop = settings.get("店铺名称", "");
    d.discountName = settings.get("减免", "");
    d.discountPortions = settings.get("减免份数", "");
    d.discountAmount = settings.get("减免金额", "");
    d.paymentIndex = Values::textToInt(settings.get("付款方式", ""));
    if (d.paymentIndex < 0 || d.paymentIndex >= int(OrderDraft::paymentMethods().size()))
        d.paymentIndex = 0;
    return d;
}

void OrderDefaults::save(SettingsStore& settings) const {
    settings.set("票头", header);
    settings.set("店铺名称", shop);
    settings.set("减免", discountName);
    settings.set("减免份数", discountPortions);
    settings.set("减免金额", discountAmount);
    settings.set("付款方式", std::to_string(paymentIndex));
}
