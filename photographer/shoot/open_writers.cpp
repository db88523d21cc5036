#include "photographer/shoot/open_writers.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace open_writers {

namespace {

struct DirClose {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using Dir = std::unique_ptr<DIR, DirClose>;

Dir openDir(int at, const char* path)
{
    const int fd = ::openat(at, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* dir = ::fdopendir(fd);
    if (!dir)
        ::close(fd);
    return Dir(dir);
}

bool isNumber(const char* name)
{
    if (!*name)
        return false;
    for (; *name; ++name) {
        if (*name < '0' || *name > '9')
            return false;
    }
    return true;
}

// Whether the descriptor named fd of the process whose /proc folder is at process was opened for
// writing: the access mode in the "flags:" line of its fdinfo (octal).
bool openForWriting(int process, const char* fd)
{
    const QByteArray path = QByteArray("fdinfo/") + fd;
    const int info = ::openat(process, path.constData(), O_RDONLY | O_CLOEXEC);
    if (info < 0)
        return false;
    char text[256];
    const ssize_t got = ::read(info, text, sizeof text - 1);
    ::close(info);
    if (got <= 0)
        return false;
    text[got] = '\0';
    const char* flags = std::strstr(text, "flags:");
    if (!flags)
        return false;
    const long mode = std::strtol(flags + 6, nullptr, 8) & O_ACCMODE;
    return mode == O_WRONLY || mode == O_RDWR;
}

// The folder as /proc names the files in it: its real path, links resolved, with a trailing '/'.
QByteArray realFolder(const QByteArray& folder)
{
    char* real = ::realpath(folder.constData(), nullptr);
    if (!real)
        return {};
    QByteArray path(real);
    std::free(real);
    if (!path.endsWith('/'))
        path += '/';
    return path;
}

} // namespace

QSet<QByteArray> inFolder(const QByteArray& folder)
{
    QSet<QByteArray> names;
    const QByteArray prefix = realFolder(folder);
    const Dir proc = prefix.isEmpty() ? nullptr : openDir(AT_FDCWD, "/proc");
    if (!proc)
        return names;
    char target[4096];
    while (const dirent* pid = ::readdir(proc.get())) {
        if (!isNumber(pid->d_name))
            continue;
        const int process = ::openat(dirfd(proc.get()), pid->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (process < 0)
            continue;
        // Another user's processes cannot be opened: they are passed over.
        if (const Dir fds = openDir(process, "fd")) {
            while (const dirent* fd = ::readdir(fds.get())) {
                const ssize_t length = ::readlinkat(dirfd(fds.get()), fd->d_name, target, sizeof target);
                if (length <= prefix.size() || length == ssize_t(sizeof target)
                    || std::memcmp(target, prefix.constData(), size_t(prefix.size())) != 0)
                    continue;
                const QByteArray name(target + prefix.size(), qsizetype(length) - prefix.size());
                if (!name.contains('/') && openForWriting(process, fd->d_name))
                    names.insert(name);
            }
        }
        ::close(process);
    }
    return names;
}

} // namespace open_writers
