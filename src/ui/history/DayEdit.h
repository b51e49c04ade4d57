#pragma once
#include "storage/values/DateTime.h"

#include <QDateEdit>

// A day picked from a calendar and written the Chinese way, as the history
// filters take their days.
class DayEdit : public QDateEdit {
  public:
    DayEdit(const QDate& initial, const QString& name, const QString& caption, QWidget* parent);

    // The start of the day.
    DateTime day() const;
};
