#pragma once
#include <QString>

class Database;
class QWidget;

namespace ManagerCheck {

// Asks for the manager password when one is set. True when none is set or the
// typed one is right; a wrong one is refused with `refusal`, and cancelling
// the box says nothing. Restoring data calls it with
// ManagerPassword::restoreRefused before it touches anything.
bool passes(QWidget* owner, Database& db, const QString& refusal);

} // namespace ManagerCheck
