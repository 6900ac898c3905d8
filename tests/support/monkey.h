#pragma once
// A "monkey": real keyboard and mouse input chosen at random from a seed, delivered to the
// main window where the platform delivers it. Keys go to the focus widget, press and release
// apart, a capital with its own Shift; mouse buttons and the wheel go to the deepest widget
// under a random point of the page's visible widgets; tabs are switched by clicks on them.
// After each event the popups it opened are answered or closed, and a modal loop started
// inside an event is found and ended (the boxes themselves are answered by the window's
// BoxAnswerer). The same seed, model and page give the same events.

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <random>

class QComboBox;
class QTimer;
class QWidget;
class TForm6;
class TPageControl;

class Monkey {
public:
    // `form` must be shown and active. `model` only names the run in messages.
    Monkey(TForm6& form, quint32 seed, int model);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // The main page control's tabs a user can click, in order.
    static QList<int> visiblePages(const TForm6& form);

    // Shows `page` by a click on its tab, delivers about `events` input events to it, then
    // checks that the window still responds and that the register saves and loads back whole.
    // Returns false on a fault, told by fault().
    bool runPage(int page, int events);

    QString fault() const { return m_fault; }
    qint64 eventsDelivered() const { return m_delivered; }
    // Windows that were modal outside the box answerer and were closed, with where they came.
    QStringList modalWindowsClosed() const { return m_modalsClosed; }
    // Where the run is: seed, model, page, event index and the action under way.
    QString where() const;

private:
    // ---- actions: each delivers one or more input events ----
    void oneAction();
    void typeKey();
    void typeWord();
    void typeCapital();
    void pressModifierAlone();
    void pressEditingKey();
    void pressCtrlCombination();
    void clickAt(Qt::MouseButton button, bool twice);
    void clickWithModifier();
    void dragAcross();
    void turnWheel();
    void switchTab();

    // ---- delivery as the platform delivers ----
    void key(bool press, int code, Qt::KeyboardModifiers mods, const QString& text);
    void keyClick(int code, Qt::KeyboardModifiers mods, const QString& text);
    void deliver(const std::function<void()>& send);
    void inNestedLoop();
    void mouse(QWidget* w, int type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons);
    void clickTab(TPageControl* pc, int index);
    void showPageByClick(int page);
    // A random point of a random visible, enabled widget of the page, and the deepest widget
    // there; false when none was found.
    bool pickPoint(QWidget*& target, QPoint& local);

    // ---- after each event ----
    void settle();
    void answerPopup(QWidget* popup);
    void endModalLoops();
    void fail(const QString& what);

    // ---- after each page ----
    bool windowResponds();

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(int percent) { return pick(100) < percent; }
    void noteAction(const char* name);

    TForm6& m_form;
    quint32 m_seed;
    int m_model;
    int m_page = -1;
    QWidget* m_sheet = nullptr;
    std::mt19937 m_rng;
    qint64 m_delivered = 0;
    qint64 m_pageEvents = 0;
    QString m_fault;
    QString m_action;
    QStringList m_modalsClosed;
    Qt::KeyboardModifiers m_held; // keys held down through a mouse action
    int m_depth = 0;              // input events being delivered, one inside another
    bool m_inWatch = false;       // the nested-loop watch is answering a popup
    QTimer* m_watch = nullptr;    // runs only inside event loops started while an event is delivered
};
