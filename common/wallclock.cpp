#include "common/wallclock.h"

#include <utility>

namespace wallclock {

namespace {

std::optional<QDateTime>& fixedMoment()
{
    static std::optional<QDateTime> moment;
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

Fixed::Fixed(const QDateTime& moment) : previous_(std::exchange(fixedMoment(), moment))
{
}

Fixed::~Fixed()
{
    fixedMoment() = previous_;
}

} // namespace wallclock
