#pragma once
// A file its owner may not read while the object lives, even in a test run as root: its mode
// is 000, and the capabilities that let root read whatever a mode says are lowered from the
// calling thread's effective set. restore() (or the end of the object) gives both back.
// readable() says whether the file can still be read, so a test can tell it got its fault.

#include <QByteArray>
#include <QFile>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

class UnreadableFile {
public:
    explicit UnreadableFile(const QString& path) : m_path(QFile::encodeName(path)) {
        struct stat st {};
        if (::stat(m_path.constData(), &st) != 0 || ::chmod(m_path.constData(), 0) != 0)
            return;
        m_mode = st.st_mode & 07777;
        m_chmodded = true;
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0;
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_lowered = ::syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~UnreadableFile() { restore(); }
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    bool readable() const {
        QFile f(QFile::decodeName(m_path));
        return f.open(QIODevice::ReadOnly);
    }
    void restore() {
        if (m_lowered)
            ::syscall(SYS_capset, &m_header, m_saved);
        m_lowered = false;
        if (m_chmodded)
            ::chmod(m_path.constData(), m_mode);
        m_chmodded = false;
    }

private:
    QByteArray m_path;
    mode_t m_mode = 0;
    bool m_chmodded = false;
    bool m_lowered = false;
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
};
