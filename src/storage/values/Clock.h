#pragma once
#include "storage/values/DateTime.h"

// Where the current time comes from, so that tests can move it past midnight.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
    static Clock& system();
};

// A clock that shows the time it was set to.
class FixedClock : public Clock {
  public:
    explicit FixedClock(DateTime t) : m_now(t) {}
    DateTime now() const override { return m_now; }
    void set(DateTime t) { m_now = t; }

  private:
    DateTime m_now;
};
