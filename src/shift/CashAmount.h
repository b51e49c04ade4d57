#pragma once
#include "storage/values/Money.h"

#include <optional>
#include <string>

// An amount of cash the cashier types (a float, a count): yuan to the fen,
// not negative, and within what a money column holds.
namespace CashAmount {

// The amount, or none with `refusal` saying why, naming `field`.
std::optional<Money> read(const std::string& text, const std::string& field,
                          std::string& refusal);

} // namespace CashAmount
