#include "storage/values/Clock.h"
#include <ctime>

namespace {

class SystemClock : public Clock {
  public:
    DateTime now() const override {
        std::time_t seconds = std::time(nullptr);
        std::tm local{};
        localtime_r(&seconds, &local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour,        local.tm_min,     local.tm_sec};
    }
};

} // namespace

Clock& Clock::system() {
    static SystemClock clock;
    return clock;
}
