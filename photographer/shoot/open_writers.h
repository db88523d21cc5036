#pragma once

#include <QByteArray>
#include <QSet>

// Who is still writing into a folder, as this machine can tell: every process's open files, listed
// under /proc. An ordinary user sees the files of their own processes only, root sees all; a
// writer on another machine (a network share, a camera's Wi-Fi) is never seen.
namespace open_writers {

// The names of the files directly inside folder that a process holds open for writing; empty when
// /proc cannot be read. Only the links under /proc are read, never the files themselves, so that a
// stalled network file system cannot hold it up.
QSet<QByteArray> inFolder(const QByteArray& folder);

} // namespace open_writers
