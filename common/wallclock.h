#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

// The date and time of day as both programs read them. Tests fix them, so
// that what they expect cannot drift when a run crosses midnight.
namespace wallclock {

QDateTime now();
QDate today();

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

} // namespace wallclock
