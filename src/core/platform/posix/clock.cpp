// The computer's clock on Linux: the local time of the C library.
#include "core/data/clock.h"

#include <chrono>
#include <ctime>

namespace talmorek::data {
namespace {

class SystemClock : public Clock {
public:
    LocalDateTime now() const override {
        const auto now = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                             local.tm_min,         local.tm_sec,     static_cast<int>(ms)};
    }
};

}  // namespace

std::shared_ptr<const Clock> systemClock() {
    static const auto clock = std::make_shared<const SystemClock>();
    return clock;
}

}  // namespace talmorek::data
