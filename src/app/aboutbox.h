#pragma once
// The about box: the first window of the program and therefore its main form. It shows the
// banner and the version for a moment, fades itself out, starts the login and stays hidden
// until the process ends.

#include <QList>
#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QTimer;
class PictureBox;

class TAboutBox : public QWidget {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // Makes `window` (a top-level window) translucent with `opacity` 0..255. Where the
    // window system cannot, the window simply stays opaque.
    static void SetTransparentForm(QWidget* window, int opacity);

    // Creates the login dialog at the end of the fade. Tests replace it; the default
    // creates `TPW` into `PW`.
    static std::function<void()> createLoginHook;

    QFrame* Panel1 = nullptr;
    PictureBox* Image2 = nullptr; // banner
    QLabel* Copyright = nullptr;  // the notice line
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Label1 = nullptr;
    PictureBox* Image1 = nullptr; // logo
    QTimer* Timer1 = nullptr;     // one fade step
    QTimer* Timer2 = nullptr;     // the show time

    // Every opacity applied to the box, in order (tests read the fade from it).
    const QList<int>& appliedOpacities() const { return m_appliedOpacities; }

public Q_SLOTS:
    void FormShow();
    void Timer2Timer();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyOpacity(int opacity);
    QList<int> m_appliedOpacities;
};

extern TAboutBox* AboutBox;
// The centre of the main form (the about box, hidden or not), or of the screen before it
// exists: the windows that are placed on the main form centre themselves here.
QPoint mainFormCentre();
// The current opacity of the about box (0 transparent .. 255 opaque); ends at -1.
extern int per;
