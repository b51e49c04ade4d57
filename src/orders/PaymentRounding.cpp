#include "orders/PaymentRounding.h"

#include "storage/config/SettingsStore.h"

namespace PaymentRounding {
namespace {

constexpr const char* key = "抹零";

long long towardZero(long long fen, long long unit) {
    return fen / unit * unit;
}

long long nearest(long long fen, long long unit) {
    const long long half = unit / 2;
    return (fen >= 0 ? fen + half : fen - half) / unit * unit;
}

} // namespace

const std::vector<std::string>& names() {
    static const std::vector<std::string> all = {"不抹零", "抹去分", "抹去角分", "四舍五入到元"};
    return all;
}

std::string nameOf(Rule rule) {
    return names().at(static_cast<std::size_t>(rule));
}

Money apply(Rule rule, Money amount) {
    switch (rule) {
    case Rule::None:
        break;
    case Rule::DropFen:
        return Money::fromFen(towardZero(amount.fen(), 10));
    case Rule::DropJiaoAndFen:
        return Money::fromFen(towardZero(amount.fen(), 100));
    case Rule::NearestYuan:
        return Money::fromFen(nearest(amount.fen(), 100));
    }
    return amount;
}

Rule load(const SettingsStore& settings) {
    const std::string name = settings.get(key, names().front());
    for (std::size_t i = 0; i < names().size(); ++i)
        if (names()[i] == name)
            return static_cast<Rule>(i);
    return Rule::None;
}

bool store(SettingsStore& settings, Rule rule) {
    return settings.set(key, nameOf(rule));
}

} // namespace PaymentRounding
