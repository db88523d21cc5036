#pragma once

#include "common/files.h"

#include <cerrno>
#include <map>
#include <utility>

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

// A share that renames without flags and answers some plain renames wrongly.
// Counted from 1 for the life of the object, a rename listed as Lost is done
// and then answered with an error, as when the reply is lost on the network;
// one listed as Refused is answered with the error and not done.
class ShareRenames {
public:
    enum class Reply { Lost, Refused };

    explicit ShareRenames(std::map<int, Reply> replies)
    {
        replies_ = std::move(replies);
        count_ = 0;
        previous_ = files::useRenames({refuseFlags, rename});
    }
    ~ShareRenames() { files::useRenames(previous_); }
    ShareRenames(const ShareRenames&) = delete;
    ShareRenames& operator=(const ShareRenames&) = delete;

private:
    static int refuseFlags(int, const char*, int, const char*, unsigned int)
    {
        errno = EINVAL;
        return -1;
    }

    static int rename(const char* from, const char* to)
    {
        const auto reply = replies_.find(++count_);
        if (reply == replies_.end())
            return files::systemRenames().plain(from, to);
        if (reply->second == Reply::Lost && files::systemRenames().plain(from, to) != 0)
            return -1;
        errno = EIO;
        return -1;
    }

    static inline std::map<int, Reply> replies_;
    static inline int count_ = 0;
    files::Renames previous_{};
};
