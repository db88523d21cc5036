#pragma once

#include "common/files.h"

#include <cerrno>

// A file system that renames without flags only, as network shares, exFAT
// and NTFS do: for the life of the object every rename with flags fails with
// the given error.
class WithoutRenameFlags {
public:
    explicit WithoutRenameFlags(int error = EINVAL)
    {
        error_ = error;
        previous_ = files::useRenames({refuse, files::systemRenames().plain});
    }
    ~WithoutRenameFlags() { files::useRenames(previous_); }
    WithoutRenameFlags(const WithoutRenameFlags&) = delete;
    WithoutRenameFlags& operator=(const WithoutRenameFlags&) = delete;

private:
    static int refuse(int, const char*, int, const char*, unsigned int)
    {
        errno = error_;
        return -1;
    }

    static inline int error_ = EINVAL;
    files::Renames previous_{};
};
