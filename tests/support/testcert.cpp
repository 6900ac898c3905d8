#include "support/testcert.h"

#include <QFile>
#include <QProcess>

TestCertificate makeTestCertificate(const QString& dir) {
    TestCertificate t;
    t.certPath = dir + QStringLiteral("/cert.pem");
    t.keyPath = dir + QStringLiteral("/key.pem");
    QProcess openssl;
    openssl.start(
        QStringLiteral("openssl"),
        {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
         QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
         QStringLiteral("-keyout"), t.keyPath, QStringLiteral("-out"), t.certPath, QStringLiteral("-days"),
         QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
         QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!openssl.waitForFinished(20000) || openssl.exitCode() != 0) {
        t.error = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAllStandardError());
        return t;
    }
    QFile c(t.certPath), k(t.keyPath);
    if (!c.open(QIODevice::ReadOnly) || !k.open(QIODevice::ReadOnly)) {
        t.error = QStringLiteral("certificate files missing");
        return t;
    }
    t.certificate = QSslCertificate(c.readAll(), QSsl::Pem);
    t.key = QSslKey(k.readAll(), QSsl::Ec, QSsl::Pem);
    if (t.certificate.isNull() || t.key.isNull())
        t.error = QStringLiteral("certificate or key unreadable");
    return t;
}
