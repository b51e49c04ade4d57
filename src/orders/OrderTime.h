#pragma once
#include "storage/values/DateTime.h"

#include <string>

class SettingsStore;

// The order-time text and the cashier's choice of its format (setting "时间格式").
namespace OrderTime {

enum Format { MonthDay = 0, SlashedDate = 1, DashedDate = 2 };

// 0: "05-15 09:05", 1: "2017/05/15 09:05", 2: "2017-05-15 09:05"; any other
// choice reads as 0. Seconds are never shown.
std::string format(const DateTime& t, int choice);

int loadChoice(const SettingsStore& settings);
bool storeChoice(SettingsStore& settings, int choice);

} // namespace OrderTime
