#pragma once
#include "shift/ShiftRecord.h"

#include <QDialog>
#include <functional>

class QFormLayout;
class QLineEdit;
class QTreeWidget;
class QVBoxLayout;

// The figures of a handover or day close. Confirming a handover takes the
// float (where no earlier handover left one), the cash counted and the cash
// left for the next shift; each is refused where typed when it is not an
// amount, is negative or is beyond what can be stored.
class ShiftDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Purpose { Handover, DayClose, Current, Stored };

    // `reprint` is offered for a stored record.
    ShiftDialog(const ShiftRecord& record, Purpose purpose, QWidget* parent,
                const std::function<void()>& reprint = {});

    // The figures with what was typed, once accepted.
    const ShiftFigures& figures() const { return m_record.figures; }

  private:
    void addCashBoxes(QFormLayout* form);
    QLineEdit* addCashBox(QFormLayout* form, const QString& caption, Money initial);
    void addButtons(QVBoxLayout* column, const std::function<void()>& reprint);
    // The typed amounts into the figures; false when one is refused.
    bool readTyped(bool tell);
    void confirm();
    void showFigures();

    ShiftRecord m_record;
    Purpose m_purpose;
    QTreeWidget* m_list = nullptr;
    QLineEdit* m_float = nullptr;
    QLineEdit* m_counted = nullptr;
    QLineEdit* m_left = nullptr;
};
