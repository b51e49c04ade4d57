#include "shift/CashAmount.h"

#include <gtest/gtest.h>

namespace {

// What a cashier may type as a float or a count: the amount in fen, or the refusal.
TEST(CashAmountTest, TakesYuanToTheFenAndRefusesTheRest) {
    const struct {
        const char* typed;
        long long fen; // -1: refused
        const char* refusal;
    } cases[] = {
        {"200", 20000, ""},
        {" 43.5 ", 4350, ""},
        {"0.05", 5, ""},
        {".5", 50, ""},
        {"0", 0, ""},
        {"-0", 0, ""},
        {"9999999999999", -1, "实点现金太大了，请检查后重新填写。"},
        {"999999999999.99", 99999999999999, ""},
        {"-5", -1, "实点现金不能是负数。"},
        {"12.345", -1, "实点现金“12.345”不是金额，请填写元，最多两位小数。"},
        {"", -1, "实点现金“”不是金额，请填写元，最多两位小数。"},
        {"五十", -1, "实点现金“五十”不是金额，请填写元，最多两位小数。"},
        {"1e3", -1, "实点现金“1e3”不是金额，请填写元，最多两位小数。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string refusal = "earlier";
        const std::optional<Money> amount = CashAmount::read(c.typed, "实点现金", refusal);
        EXPECT_EQ(amount ? amount->fen() : -1, c.fen);
        EXPECT_EQ(refusal, c.refusal);
    }
}

} // namespace
