#pragma once
#include "storage/values/Money.h"

#include <string>
#include <vector>

class SettingsStore;

// How a shop that takes whole yuan rounds the amount to pay (setting "抹零").
// The rounding is shown, printed and stored as its own amount, so the books
// still equal the money taken.
namespace PaymentRounding {

enum class Rule { None, DropFen, DropJiaoAndFen, NearestYuan };

// "不抹零", "抹去分", "抹去角分", "四舍五入到元", in the order of Rule.
const std::vector<std::string>& names();
std::string nameOf(Rule rule);

// What is paid of `amount`: cut toward zero to the jiao or the yuan, or to
// the nearest yuan with halves away from zero.
Money apply(Rule rule, Money amount);

// Not set, or a name no longer known: no rounding.
Rule load(const SettingsStore& settings);
[[nodiscard]] bool store(SettingsStore& settings, Rule rule);

} // namespace PaymentRounding
