#pragma once
// The bytes of register files, for tests that damage them: reading and writing whole files,
// and a header made consistent again over changed bytes.

#include <QByteArray>
#include <QFile>
#include <QTest>

#include <cstring>

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Bit by bit, independent of the program's own CRC.
inline quint32 crc32Reference(const char* p, qsizetype n) {
    quint32 c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < n; ++i) {
        c ^= uchar(p[i]);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

// Gives a changed file a consistent header again, so the reader's structural checks (not
// only the checksums) are what must refuse it.
inline void resealHeader(QByteArray& file) {
    if (file.size() < 32)
        return;
    const quint64 payload = quint64(file.size() - 32);
    std::memcpy(file.data() + 16, &payload, 8);
    const quint32 crc = crc32Reference(file.constData() + 32, file.size() - 32);
    std::memcpy(file.data() + 24, &crc, 4);
    const quint32 headerCrc = crc32Reference(file.constData(), 28);
    std::memcpy(file.data() + 28, &headerCrc, 4);
}
