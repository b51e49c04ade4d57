#include "ui/common/ColumnLimits.h"

#include "storage/schema/Schema.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

class WholeNumberValidator : public QValidator {
  public:
    WholeNumberValidator(QObject* parent, int minimum, int maximum)
        : QValidator(parent), m_minimum(minimum), m_maximum(maximum) {}

    State validate(QString& input, int&) const override {
        if (input.isEmpty() || (input == QStringLiteral("-") && m_minimum < 0))
            return Intermediate;
        bool ok = false;
        const qlonglong value = input.toLongLong(&ok);
        if (!ok || input.startsWith(QLatin1Char('+')) || input.contains(QLatin1Char(' ')))
            return Invalid;
        return value >= m_minimum && value <= m_maximum ? Acceptable : Invalid;
    }

  private:
    int m_minimum;
    int m_maximum;
};

// Money: up to four decimals, and no more whole digits than the column keeps.
QValidator* decimalNumbers(QObject* parent, int wholeDigits, int decimals = 4) {
    return new QRegularExpressionValidator(
        QRegularExpression(
            QStringLiteral("-?[0-9]{0,%1}(\\.[0-9]{0,%2})?").arg(wholeDigits).arg(decimals)),
        parent);
}

const ColumnDef* columnOf(std::string_view table, std::string_view column) {
    const TableDef* found = Schema::findTable(table);
    return found ? Schema::findColumn(*found, column) : nullptr;
}

} // namespace

namespace ColumnLimits {

QValidator* wholeNumbers(QObject* parent, int minimum, int maximum) {
    return new WholeNumberValidator(parent, minimum, maximum);
}

void apply(QLineEdit* edit, std::string_view table, std::string_view column) {
    const ColumnDef* def = columnOf(table, column);
    Q_ASSERT(def);
    if (!def)
        return;
    switch (def->kind) {
    case ColumnKind::Text:
        edit->setMaxLength(def->length);
        break;
    case ColumnKind::Int16:
        edit->setValidator(wholeNumbers(edit, -32768, 32767));
        break;
    case ColumnKind::Int32:
        edit->setValidator(
            wholeNumbers(edit, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
        break;
    case ColumnKind::Decimal:
        edit->setValidator(decimalNumbers(edit, 15));
        break;
    case ColumnKind::Money:
        edit->setValidator(decimalNumbers(edit, 13, 2));
        break;
    case ColumnKind::Single:
        edit->setValidator(decimalNumbers(edit, 9));
        break;
    default:
        break;
    }
}

void apply(QComboBox* box, std::string_view table, std::string_view column) {
    if (QLineEdit* edit = box->lineEdit())
        apply(edit, table, column);
}

} // namespace ColumnLimits
