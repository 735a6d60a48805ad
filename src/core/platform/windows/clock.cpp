// The computer's clock on Windows: the local time as the system keeps it,
// to the millisecond.
#include "core/data/clock.h"

#include "core/platform/windows/win32.h"

namespace talmorek::data {
namespace {

class SystemClock : public Clock {
public:
    LocalDateTime now() const override {
        SYSTEMTIME local;
        ::GetLocalTime(&local);
        return LocalDateTime{local.wYear, local.wMonth,  local.wDay,         local.wHour,
                             local.wMinute, local.wSecond, local.wMilliseconds};
    }
};

}  // namespace

std::shared_ptr<const Clock> systemClock() {
    static const auto clock = std::make_shared<const SystemClock>();
    return clock;
}

}  // namespace talmorek::data
