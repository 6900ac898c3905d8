#pragma once
// Builds the windows the transfer needs (connection form, progress dialog, trace window), points
// the model access at plain values and answers every message box instead of showing it.
#include "platform/dialogs.h"
#include "support/panelsimulator.h"

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

    // Chooses the port in the connection form and opens it. False with the warning recorded.
    bool openSerial(const QString& path);
    // Runs the event loop until the job ends or ms pass; true when it ended.
    bool waitForJobEnd(int ms = 15000);
};
