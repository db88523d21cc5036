#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

// The date and time of day as both programs read them. Tests fix them, so
// that what they expect cannot drift when a run crosses midnight.
namespace wallclock {

QDateTime now();
QDate today();

// How long things last, in nanoseconds from an arbitrary start: a steady clock, which setting the
// date never moves. Tests move it on with moveOn rather than wait.
qint64 steady();
void moveOn(qint64 nanoseconds);

// While it lives, the clock reads `moment`; then it reads what it read before.
class Fixed {
public:
    explicit Fixed(const QDateTime& moment);
    ~Fixed();
    Fixed(const Fixed&) = delete;
    Fixed& operator=(const Fixed&) = delete;

private:
    std::optional<QDateTime> previous_;
};

// While it lives, steady() moves only with moveOn; then it runs on from where it stood.
class StandStill {
public:
    StandStill();
    ~StandStill();
    StandStill(const StandStill&) = delete;
    StandStill& operator=(const StandStill&) = delete;

private:
    std::optional<qint64> previous_;
};

} // namespace wallclock
