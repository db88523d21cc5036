#pragma once

#include <QtGlobal>

#include <compare>
#include <ctime>

// A moment since 1970, UTC, with whole seconds and their fraction kept apart: nanoseconds since 1970
// in 64 bits end in 2262, and a file dated 2300 or a camera whose clock says 9999 must still sort
// where its date says.
struct Moment {
    qint64 seconds = 0;     // since 1970
    qint32 nanoseconds = 0; // 0 to 999 999 999
    auto operator<=>(const Moment&) const = default;
};

// A file time as the system gives it (struct stat's st_mtim, st_ctim).
inline Moment momentOf(const timespec& time)
{
    return {qint64(time.tv_sec), qint32(time.tv_nsec)};
}
