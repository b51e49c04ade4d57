#include "orders/OrderTime.h"

#include "storage/config/SettingsStore.h"
#include "storage/values/Values.h"

#include <cstdio>

namespace OrderTime {

std::string format(const DateTime& t, int choice) {
    char text[64];
    switch (choice) {
    case SlashedDate:
        std::snprintf(text, sizeof text, "%d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                      t.minute);
        break;
    case DashedDate:
        std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                      t.minute);
        break;
    default:
        std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d", t.month, t.day, t.hour, t.minute);
    }
    return text;
}

int loadChoice(const SettingsStore& settings) {
    return Values::textToInt(settings.get("时间格式", "0"));
}

bool storeChoice(SettingsStore& settings, int choice) {
    return settings.set("时间格式", std::to_string(choice));
}

} // namespace OrderTime
