#pragma once
#include <initializer_list>
#include <string>
#include <utility>

// Why the last database operation failed, in terms a cashier can act on.
// The engine behind Database maps its own error codes onto these.
enum class StorageFailure {
    None,
    Statement, // the statement itself was refused (a value, a constraint)
    NotOpen,
    DiskFull,
    ReadOnly,
    Damaged,
    Busy,
    NulInText,    // a text held a NUL character, which no statement can carry
    LaterVersion, // the database is of a later schema version than this program's
    Unreachable,  // the server does not answer, or the link to it broke
    // The link broke after COMMIT was sent: the transaction may be stored.
    // Look before writing it again.
    Unconfirmed,
    InvalidText, // a text is not valid UTF-8
};

namespace StorageFailures {

// The cause in Chinese, without a full stop ("磁盘空间已满，请清理磁盘后重试");
// empty for None, Statement and NotOpen, whose cause the caller knows better.
std::string reason(StorageFailure failure);

// "<what>失败：<reason>。<unchanged>", or "<what>失败，<unchanged>" when
// there is no reason to give: what failed, why, and what it left as it was.
std::string failed(const std::string& what, StorageFailure failure, const std::string& unchanged);

// A text field as the cashier reads it: its caption and its text.
using Field = std::pair<const char*, const std::string*>;
// The refusal for the first field whose text holds a NUL or another control
// character than tab and line breaks, naming the field; empty when none
// does. A NUL cannot be stored; the others would reach a receipt printer as
// commands (ESC p opens the cash drawer).
std::string textRefusal(std::initializer_list<Field> fields);

} // namespace StorageFailures
