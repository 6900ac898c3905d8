#pragma once
// A throwaway self-signed certificate for 127.0.0.1, made at test time with the openssl tool.
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

struct TestCertificate {
    QString certPath;
    QString keyPath;
    QSslCertificate certificate;
    QSslKey key;
    QString error; // empty when made
    bool ok() const { return error.isEmpty(); }
};

// Writes cert.pem and key.pem into dir (an EC P-256 key, valid two days, SAN IP:127.0.0.1).
TestCertificate makeTestCertificate(const QString& dir);
