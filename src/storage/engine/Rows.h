#pragma once
#include "storage/engine/DbValue.h"

#include <cstddef>
#include <string>
#include <vector>

class ResultRows;

// Every row of one select, read to its end before anyone looks at them.
class Rows {
  public:
    class Row {
      public:
        Row(const Rows& rows, std::size_t index) : m_rows(&rows), m_index(index) {}
        // Empty when the select has no such column; names ignore ASCII case.
        DbValue operator[](const std::string& column) const;
        // From 0; Empty past the last column.
        DbValue at(int column) const;

      private:
        const Rows* m_rows;
        std::size_t m_index;
    };
    class Iterator {
      public:
        Iterator(const Rows& rows, std::size_t index) : m_rows(&rows), m_index(index) {}
        Row operator*() const { return Row(*m_rows, m_index); }
        Iterator& operator++() {
            ++m_index;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_index != other.m_index; }

      private:
        const Rows* m_rows;
        std::size_t m_index;
    };

    // The column names of `cursor`; rows are added with append().
    explicit Rows(const ResultRows& cursor);
    // Copies the row the cursor stands on.
    void append(const ResultRows& cursor);

    std::size_t size() const { return m_columns == 0 ? 0 : m_values.size() / m_columns; }
    bool empty() const { return m_values.empty(); }
    Row operator[](std::size_t row) const { return Row(*this, row); }
    Iterator begin() const { return Iterator(*this, 0); }
    Iterator end() const { return Iterator(*this, size()); }
    // -1 when absent; ASCII case ignored.
    int columnIndex(const std::string& name) const;

  private:
    DbValue value(std::size_t row, int column) const;

    std::vector<std::string> m_names;
    std::size_t m_columns;
    std::vector<DbValue> m_values; // row after row
};
