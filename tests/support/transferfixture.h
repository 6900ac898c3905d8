#pragma once
// Builds the windows the transfer needs (connection form, progress dialog, trace window), points
// the model access at plain values and answers every message box instead of showing it.
#include "platform/dialogs.h"
#include "support/panelsimulator.h"
#include "transfer/commands.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

class TransferFixture {
public:
    TransferFixture();
    ~TransferFixture();

    // Model values the transfer reads.
    int systemType = 1;
    QString remoteCode = QStringLiteral("123456");
    QString installerCode = QStringLiteral("000111");
    QString panelId = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
    QStringList inputNames, outputNames;

    // Every box, answered here; questions (Yes/No) get answerYes.
    BoxAnswerer boxes;
    bool answerYes = true;
    QStringList messages() const;  // plain notices
    QStringList warnings() const;  // warnings with an OK button
    QStringList questions() const; // Yes/No questions
    int pageChanges = 0;
    int repaints = 0;
    bool timerRunningAtBox = false; // set if any box came while the sequencer's timer ran

    // Chooses the port in the connection form and opens it, waiting for the attempt to end.
    // False with the warning recorded.
    bool openSerial(const QString& path);
    // Waits for a connection attempt of the connection form to end; true when a link is open.
    bool waitForConnect(int ms = 20000);
    // Runs the event loop until the job ends or ms pass; true when it ended.
    bool waitForJobEnd(int ms = 15000);
};

// Installs codec functions for one command while it lives, then puts back what was there.
class ScopedCodec {
public:
    ScopedCodec(int command, EncodeFn encode, DecodeFn decode);
    ~ScopedCodec();
    ScopedCodec(const ScopedCodec&) = delete;
    ScopedCodec& operator=(const ScopedCodec&) = delete;

private:
    int m_command;
    EncodeFn m_encode;
    DecodeFn m_decode;
};

// While it lives, every configuration command and the event log (2..62) move through a codec that
// keeps the last payload read of every part (key command * 256 + part), so tests see what reached
// the program; writes send the part number repeated.
struct RecordingCodec {
    static QMap<int, QByteArray>& received();
    static TError encode(int part, QByteArray& payload);
    // withCodecs false: the same commands have no codec at all while it lives.
    explicit RecordingCodec(bool withCodecs = true);
    std::vector<std::unique_ptr<ScopedCodec>> installed;
};
