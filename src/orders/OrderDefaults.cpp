#include "orders/OrderDefaults.h"

#include "orders/OrderDraft.h"
#include "storage/config/SettingsStore.h"
#include "storage/engine/StorageFailure.h"
#include "storage/values/Values.h"

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

bool OrderDefaults::save(SettingsStore& settings) const {
    return settings.setAll({{"票头", header},
                            {"店铺名称", shop},
                            {"减免", discountName},
                            {"减免份数", discountPortions},
                            {"减免金额", discountAmount},
                            {"付款方式", std::to_string(paymentIndex)}});
}

std::string OrderDefaults::refusal() const {
    return StorageFailures::textRefusal({{"票头", &header},
                                         {"店铺名称", &shop},
                                         {"减免", &discountName},
                                         {"减免份数", &discountPortions},
                                         {"减免金额", &discountAmount}});
}
