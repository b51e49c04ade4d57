#include "storage/engine/Rows.h"
#include "storage/engine/ResultRows.h"
#include "storage/schema/Schema.h"

DbValue Rows::Row::operator[](const std::string& column) const {
    return m_rows->value(m_index, m_rows->columnIndex(column));
}

DbValue Rows::Row::at(int column) const {
    return m_rows->value(m_index, column);
}

Rows::Rows(const ResultRows& cursor) : m_columns(static_cast<std::size_t>(cursor.columnCount())) {
    for (std::size_t i = 0; i < m_columns; ++i)
        m_names.push_back(cursor.columnName(static_cast<int>(i)));
}

void Rows::append(const ResultRows& cursor) {
    for (std::size_t i = 0; i < m_columns; ++i)
        m_values.push_back(cursor.value(static_cast<int>(i)));
}

int Rows::columnIndex(const std::string& name) const {
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (Schema::equalsIgnoringCase(m_names[i], name))
            return static_cast<int>(i);
    return -1;
}

DbValue Rows::value(std::size_t row, int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= m_columns || row >= size())
        return {};
    return m_values[row * m_columns + static_cast<std::size_t>(column)];
}
