#include "link/tracewindow.h"

#include "link/panelframe.h"

#include <QPlainTextEdit>
#include <QTime>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Debug"));
    auto* layout = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMaximumBlockCount(5000); // a long job never grows the window's memory without end
    Memo1->setFont(QFont(QStringLiteral("monospace")));
    layout->addWidget(Memo1);
    resize(640, 400);
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

static QString hexBytes(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ')).toUpper();
}

QString TForm1::describeFrame(const QByteArray& bytes) {
    using namespace PanelProtocol;
    if (bytes.size() < Overhead || quint8(bytes[0]) != STX || quint8(bytes[2]) > MaxData ||
        bytes.size() != Overhead + quint8(bytes[2]))
        return QStringLiteral("RAW=[%1]").arg(hexBytes(bytes));
    const int len = quint8(bytes[2]);
    const quint8 c1 = quint8(bytes[3]);
    return QStringLiteral(
               "STX=%1 ADDR=%2 LEN=%3 CMD1=%4 (%5 part %6) CMD2=%7 (cmd %8) DATA=[%9] CHK=%10 ETX=%11")
        .arg(QStringLiteral("%1").arg(quint8(bytes[0]), 2, 16, QLatin1Char('0')).toUpper())
        .arg(QStringLiteral("%1").arg(quint8(bytes[1]), 2, 16, QLatin1Char('0')).toUpper())
        .arg(len)
        .arg(QStringLiteral("%1").arg(c1, 2, 16, QLatin1Char('0')).toUpper())
        .arg(c1 & WriteBit ? QStringLiteral("W") : QStringLiteral("R"))
        .arg(c1 & PartMask)
        .arg(QStringLiteral("%1").arg(quint8(bytes[4]), 2, 16, QLatin1Char('0')).toUpper())
        .arg(quint8(bytes[4]))
        .arg(hexBytes(bytes.mid(5, len)))
        .arg(QStringLiteral("%1").arg(quint8(bytes[5 + len]), 2, 16, QLatin1Char('0')).toUpper())
        .arg(QStringLiteral("%1").arg(quint8(bytes[6 + len]), 2, 16, QLatin1Char('0')).toUpper());
}

void TForm1::TraceFrame(bool sent, const QByteArray& bytes, bool valid) {
    if (!isVisible())
        return;
    QString line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz "));
    line += sent ? QStringLiteral("TX ") : QStringLiteral("RX ");
    if (!valid)
        line += QStringLiteral("(non valido) ");
    line += bytes.isEmpty() ? QStringLiteral("(solo disturbi sulla linea)") : describeFrame(bytes);
    Memo1->appendPlainText(line);
}

// Keeps this class's meta-object code in this file rather than in the shared moc unit.
#include "moc_tracewindow.cpp"
