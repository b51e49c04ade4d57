#pragma once
#include "storage/engine/DbValue.h"
#include <string>

// The rows of one select as Database hands them out, whichever engine read them.
class ResultRows {
  public:
    virtual ~ResultRows() = default;
    virtual bool isEOF() const = 0;
    virtual void moveNext() = 0;
    virtual int columnCount() const = 0;
    virtual int
    columnIndex(const std::string& name) const = 0; // -1 when absent; ASCII case ignored
    virtual DbValue value(int index) const = 0;     // from 0
    virtual std::string columnName(int index) const = 0;
    // Whether moving to a later row failed, which ends the rows early; the
    // engine's message in `error`.
    virtual bool readFailed(std::string& error) const = 0;
};
