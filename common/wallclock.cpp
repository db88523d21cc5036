#include "common/wallclock.h"

#include <atomic>
#include <chrono>
#include <utility>

namespace wallclock {

namespace {

std::optional<QDateTime>& fixedMoment()
{
    static std::optional<QDateTime> moment;
    return moment;
}

qint64 running()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
}

// What steady() adds to the running clock, and the moment it stands at while a test holds it still.
std::atomic<qint64>& steadyAhead()
{
    static std::atomic<qint64> ahead{0};
    return ahead;
}
std::optional<qint64>& standingAt()
{
    static std::optional<qint64> moment;
    return moment;
}

} // namespace

QDateTime now()
{
    const std::optional<QDateTime>& fixed = fixedMoment();
    return fixed ? *fixed : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

qint64 steady()
{
    const std::optional<qint64>& still = standingAt();
    return (still ? *still : running()) + steadyAhead().load();
}

void moveOn(qint64 nanoseconds)
{
    steadyAhead() += nanoseconds;
}

Fixed::Fixed(const QDateTime& moment) : previous_(std::exchange(fixedMoment(), moment))
{
}

Fixed::~Fixed()
{
    fixedMoment() = previous_;
}

StandStill::StandStill() : previous_(standingAt())
{
    if (!previous_)
        standingAt() = running();
}

StandStill::~StandStill()
{
    // Running again from where it stood: a steady clock never goes back.
    if (!previous_) {
        steadyAhead() -= running() - *standingAt();
        standingAt().reset();
    }
}

} // namespace wallclock
