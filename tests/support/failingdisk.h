#pragma once
// A disk that fills up or fails while a test says so: this header defines the process's write,
// fsync, fdatasync and rename (the C library's versions are reached through the system call),
// so include it in one source file of a test executable only. A test arms the faults for the
// length of one step and disarms them after.

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace disk {
inline bool armed = false;
inline qint64 room = 0;       // bytes the disk still takes while armed
inline int writeError = 0;    // errno once it is full
inline int syncError = 0;     // errno of fsync while armed, 0: it succeeds
inline int renameError = 0;   // errno of rename while armed, 0: it succeeds
inline int refusals = 0;      // failures handed out, so a test knows its fault was reached
inline QByteArray onlyUnder;  // not empty: only files under this folder fail
inline int killAtRename = -1; // >= 0: a rename ends the process at once with this code

inline bool fails(int fd) {
    if (!armed || fd <= 2)
        return false;
    if (onlyUnder.isEmpty())
        return true;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    return n > 0 && QByteArray(target, int(n)).startsWith(onlyUnder);
}

inline void arm(qint64 bytes, int error, int syncFailure = 0, int renameFailure = 0) {
    room = bytes;
    writeError = error;
    syncError = syncFailure;
    renameError = renameFailure;
    refusals = 0;
    armed = true;
}
inline void disarm() {
    armed = false;
    onlyUnder.clear();
}
} // namespace disk

extern "C" ssize_t write(int fd, const void* buf, size_t n) {
    if (disk::fails(fd)) {
        if (disk::room <= 0) {
            ++disk::refusals;
            errno = disk::writeError;
            return -1;
        }
        n = size_t(std::min<qint64>(qint64(n), disk::room)); // a short write first, as a full disk does
        disk::room -= qint64(n);
    }
    return ::syscall(SYS_write, fd, buf, n);
}

extern "C" int fsync(int fd) {
    if (disk::fails(fd) && disk::syncError != 0) {
        ++disk::refusals;
        errno = disk::syncError;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    if (disk::fails(fd) && disk::syncError != 0) {
        ++disk::refusals;
        errno = disk::syncError;
        return -1;
    }
    return int(::syscall(SYS_fdatasync, fd));
}

// The last step of an atomic save: a process killed here leaves the whole temporary copy; a
// rename refused here leaves the old file in place.
extern "C" int rename(const char* from, const char* to) {
    if (disk::killAtRename >= 0)
        ::_exit(disk::killAtRename);
    if (disk::armed && disk::renameError != 0 &&
        (disk::onlyUnder.isEmpty() || QByteArray(to).startsWith(disk::onlyUnder))) {
        ++disk::refusals;
        errno = disk::renameError;
        return -1;
    }
    return int(::syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
}
