#include "app/aboutbox.h"

#include "app/login.h"
#include "app/picturebox.h"
#include "app/startupenv.h"
#include "model/lang.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QTimer>

TAboutBox* AboutBox = nullptr;
int per = 0;

std::function<void()> TAboutBox::createLoginHook;

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

QFont pixelFont(const QString& family, int pixels, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPixelSize(pixels);
    return font;
}

// The series line is set in a narrow serif face; where the machine only has wider faces it
// is set smaller, so that it never runs under the logo.
void fitSeriesLine(QLabel* label, int maxWidth) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Serif"), QStringLiteral("Nimbus Roman"),
                      QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif Condensed")});
    font.setStyleHint(QFont::Serif);
    for (int pixels = 13; pixels >= 9; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= maxWidth)
            break;
    }
    label->setFont(font);
    label->adjustSize();
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setFixedSize(461, 242);
    setFont(pixelFont(QStringLiteral("Tahoma"), 11, QFont::SansSerif));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    // White to the window's edge: no bevel and no border line around it.
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);

    Image2 = new PictureBox(QStringLiteral(":/startup/banner.jpg"), Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(4, 11, 445, 94); // stretched to the frame

    // A thin rule under the banner separates it from the texts.
    auto* rule = new QFrame(Panel1);
    rule->setGeometry(17, 130, 427, 1);
    rule->setStyleSheet(QStringLiteral("background: #d5dde5;"));

    Copyright = makeLabel(Panel1, QStringLiteral("Copyright"), QStringLiteral("\u00A9 Tabulon"), {17, 161});
    ProductName =
        makeLabel(Panel1, QStringLiteral("ProductName"), QStringLiteral("Tabulon for ZEPHRA"), {149, 161});
    ProductName->setFont(pixelFont(QStringLiteral("Arial"), 13, QFont::SansSerif));
    ProductName->adjustSize();
    Version = makeLabel(Panel1, QStringLiteral("Version"), QStringLiteral("Version:  1.3"), {142, 180});
    Comments = makeLabel(Panel1, QStringLiteral("Comments"), QStringLiteral("tabulon.example"), {17, 180});
    Label1 =
        makeLabel(Panel1, QStringLiteral("Label1"),
                  QStringLiteral("PELUN-QUANE-ZOREM Series \\  TAVEK-MIRUN-MIRUNPLUS Series"), {15, 199});
    fitSeriesLine(Label1, 385 - 15 - 6);

    Image1 = new PictureBox(QStringLiteral(":/startup/logo.svg"), Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(385, 161, 64, 64);
    Image1->setProportional(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TAboutBox::Timer1Timer);

    // The show time counts from creation, as the designed timer starts enabled.
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1500);
    connect(Timer2, &QTimer::timeout, this, &TAboutBox::Timer2Timer);
    Timer2->start();

    QRect frame(QPoint(), size());
    frame.moveCenter(mainFormCentre());
    move(frame.topLeft());
}

QPoint mainFormCentre() {
    if (AboutBox)
        return AboutBox->frameGeometry().center();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().center();
    return {};
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this)
        AboutBox = nullptr;
}

void TAboutBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TAboutBox::FormShow() {
    if (!Timer2->isActive())
        Timer2->start();
    per = 254;
    applyOpacity(per);
    Version->setText(Lang::FileVersion(StartupEnv::executablePath()));
    Version->adjustSize();
}

void TAboutBox::Timer2Timer() {
    Timer1->start();
    Timer2->stop();
}

void TAboutBox::Timer1Timer() {
    per -= 5;
    if (per > -1) {
        applyOpacity(per);
        return;
    }
    if (createLoginHook)
        createLoginHook();
    else
        createLoginDialog();
    Timer1->stop();
    hide();
}

void TAboutBox::applyOpacity(int opacity) {
    m_appliedOpacities.append(opacity);
    SetTransparentForm(this, opacity);
}

void TAboutBox::SetTransparentForm(QWidget* window, int opacity) {
    if (!window || !window->isWindow())
        return;
    // Qt ignores the request on window systems without translucent windows; the box then
    // stays opaque until it is hidden.
    window->setWindowOpacity(qBound(0, opacity, 255) / 255.0);
}
