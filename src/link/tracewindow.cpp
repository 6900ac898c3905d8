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
    const auto hex = [&](int i) {
        return QStringLiteral("%1").arg(quint8(bytes[i]), 2, 16, QLatin1Char('0')).toUpper();
    };
    const int len = quint8(bytes[2]);
    const quint8 c1 = quint8(bytes[3]);
    const quint8 c2 = quint8(bytes[4]);
    return QStringLiteral("STX=%1 ADDR=%2 LEN=%3 CMD1=%4 (%5 part %6) CMD2=%7 (%8 %9) SEQ=%10 DATA=[%11] "
                          "CRC=%12%13 ETX=%14")
        .arg(hex(0), hex(1))
        .arg(len)
        .arg(hex(3), c1 & WriteBit ? QStringLiteral("W") : QStringLiteral("R"))
        .arg(c1 & PartMask)
        .arg(hex(4), c2 & ReplyBit ? QStringLiteral("reply cmd") : QStringLiteral("cmd"))
        .arg(c2 & CommandMask)
        .arg(hex(5), hexBytes(bytes.mid(HeaderSize, len)), hex(HeaderSize + len), hex(HeaderSize + len + 1),
             hex(HeaderSize + len + 2));
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
