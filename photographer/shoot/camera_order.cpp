#include "photographer/shoot/camera_order.h"

namespace camera_order {

namespace {

constexpr qint64 kSlot = 2; // seconds
constexpr qsizetype kMostDigits = 18; // what a qint64 holds

// The counter that ends a name's base (IMG_0042.JPG: prefix "IMG_", 4 digits, 42).
struct Counter {
    QByteArrayView prefix;
    qsizetype digits = 0;
    qint64 value = 0;
};

std::optional<Counter> counterOf(const QByteArray& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    const QByteArrayView base = QByteArrayView(name).first(dot < 0 ? name.size() : dot);
    qsizetype start = base.size();
    while (start > 0 && base.size() - start < kMostDigits && base[start - 1] >= '0' && base[start - 1] <= '9')
        --start;
    if (start == base.size())
        return std::nullopt;
    Counter counter{base.first(start), base.size() - start, 0};
    for (const char digit : base.sliced(start))
        counter.value = counter.value * 10 + (digit - '0');
    return counter;
}

// -1 when a comes first by the camera's counter, 1 when b does, 0 when the counters cannot tell.
int byCounter(const QByteArray& a, const QByteArray& b)
{
    const std::optional<Counter> first = counterOf(a);
    const std::optional<Counter> second = counterOf(b);
    if (!first || !second || first->digits != second->digits
        || first->prefix.compare(second->prefix, Qt::CaseInsensitive) != 0 || first->value == second->value)
        return 0;
    qint64 range = 1;
    for (qsizetype digit = 0; digit < first->digits; ++digit)
        range *= 10;
    const bool wentRound = qAbs(first->value - second->value) > range / 2;
    return (first->value < second->value) != wentRound ? -1 : 1;
}

} // namespace

Moment instant(const Moment& modified)
{
    if (modified.nanoseconds != 0)
        return modified;
    return {modified.seconds - ((modified.seconds % kSlot) + kSlot) % kSlot, 0};
}

bool takenBefore(const Shot& a, const Shot& b)
{
    if (a.captured && b.captured && *a.captured != *b.captured)
        return *a.captured < *b.captured;
    if (const Moment first = instant(a.modified), second = instant(b.modified); first != second)
        return first < second;
    if (const int counter = byCounter(a.name, b.name))
        return counter < 0;
    return a.name < b.name;
}

} // namespace camera_order
