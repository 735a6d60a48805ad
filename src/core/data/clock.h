#pragma once
// The computer's clock as the program reads it. The moment of a save goes
// into the summary record (`Datum`, `Cas`) and the moment of printing onto
// every printout; both are read through one `Clock`, so a test or the tool's
// `--now` fixes the time of the record, of the protocol of checks and of the
// printed footers alike.

#include <memory>

namespace talmorek::data {

// A moment on the local clock.
struct LocalDateTime {
    int year = 2021, month = 10, day = 9, hour = 0, minute = 0, second = 0, millisecond = 0;
    bool operator==(const LocalDateTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// The computer's local time, to the millisecond.
std::shared_ptr<const Clock> systemClock();

// A clock that stands still at the moment it was given until `set` moves it.
class FixedClock : public Clock {
public:
    explicit FixedClock(const LocalDateTime& moment) : moment_(moment) {}
    LocalDateTime now() const override { return moment_; }
    void set(const LocalDateTime& moment) { moment_ = moment; }

private:
    LocalDateTime moment_;
};

}  // namespace talmorek::data
