#pragma once
// The frame trace window: every frame sent to and received from the panel, field by field, with
// its direction and time, while the window is open.
#include <QWidget>

class QPlainTextEdit;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    QPlainTextEdit* Memo1 = nullptr;

    void TraceFrame(bool sent, const QByteArray& bytes, bool valid);
    // "STX=02 ADDR=00 LEN=2 CMD1=81 (W part 1) CMD2=06 DATA=[01 02] CHK=74 ETX=03", or the raw
    // bytes of something that is not one whole frame.
    static QString describeFrame(const QByteArray& bytes);
};

extern TForm1* Form1;
