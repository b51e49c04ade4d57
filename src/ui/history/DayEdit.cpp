#include "ui/history/DayEdit.h"
#include "ui/common/ListControls.h"

DayEdit::DayEdit(const QDate& initial, const QString& name, const QString& caption, QWidget* parent)
    : QDateEdit(initial, parent) {
    setCalendarPopup(true);
    setDisplayFormat("yyyy年M月d日");
    ListControls::nameControl(this, name, caption);
}

DateTime DayEdit::day() const {
    const QDate d = date();
    return {d.year(), d.month(), d.day(), 0, 0, 0};
}
