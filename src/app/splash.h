#pragma once
// The wait window: a small captionless always-on-top window with a centred bold message, shown
// while a long step blocks the user-interface thread. At most one exists at a time.
#include <QPointer>
#include <QWidget>

#include <QLabel>

class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget* owner = nullptr);

    QPointer<QLabel> EtichettaAttesa; // the label of the wait window this receiver created

    // Shows the wait window with the text ("\r" starts a new line). False, and nothing changes,
    // when one is already shown.
    bool AvvioAttesa(QWidget* owner, const QString& text);
    // Hides and destroys the wait window; false when there was none.
    bool FineAttesa();

    static QWidget* currentWaitWindow();
};
