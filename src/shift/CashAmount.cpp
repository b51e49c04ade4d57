#include "shift/CashAmount.h"

#include "storage/values/Values.h"

#include <regex>

namespace CashAmount {

namespace {

// A money column holds less than 10^13 yuan.
constexpr std::size_t largestYuanDigits = 13;

} // namespace

std::optional<Money> read(const std::string& text, const std::string& field,
                          std::string& refusal) {
    static const std::regex amount(R"((-?)(\d+)(\.\d{0,2})?|(-?)\.\d{1,2})");
    const std::string typed = Values::trim(text);
    std::smatch parts;
    if (!std::regex_match(typed, parts, amount)) {
        refusal = field + "“" + typed + "”不是金额，请填写元，最多两位小数。";
        return std::nullopt;
    }
    if (typed.front() == '-' && Money::fromText(typed).fen() != 0) {
        refusal = field + "不能是负数。";
        return std::nullopt;
    }
    const std::string whole = parts[2].str();
    const std::size_t start = whole.find_first_not_of('0');
    if (start != std::string::npos && whole.size() - start >= largestYuanDigits) {
        refusal = field + "太大了，请检查后重新填写。";
        return std::nullopt;
    }
    refusal.clear();
    return Money::fromText(typed);
}

} // namespace CashAmount
