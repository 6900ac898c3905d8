#pragma once
// A page control the way the configuration pages need it: tabs with icons that wrap onto
// several rows, tabs that can be hidden without removing their sheet, a highlight mark per
// tab, and a distinction between a page chosen by the user (which emits `changed`) and a
// page set from code (which emits nothing).

#include <QIcon>
#include <QWidget>

#include <vector>

class QStackedWidget;
class TabStrip;

class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(const QString& name, QWidget* parent = nullptr);
    ~TPageControl() override;

    // Appends a sheet; the sheet's objectName is its component name ("TabSheet4").
    int addPage(QWidget* sheet, const QString& caption, const QIcon& icon = {});
    int count() const;
    QWidget* page(int index) const;
    int indexOf(const QWidget* sheet) const;
    QWidget* pageByName(const QString& sheetName) const;

    // The active sheet. Setting it from code runs no change handler.
    int activePageIndex() const;
    QWidget* activePage() const;
    void setActivePageIndex(int index);
    void setActivePage(QWidget* sheet);

    QString tabCaption(int index) const;
    void setTabCaption(int index, const QString& caption);
    QIcon tabIcon(int index) const;
    void setTabIcon(int index, const QIcon& icon);

    // A hidden tab hides its sheet from the user; the sheet stays in the control.
    bool tabVisible(int index) const;
    void setTabVisible(int index, bool visible);

    bool highlighted(int index) const;
    void setHighlighted(int index, bool on);
    void clearHighlights();
    // Removes every highlight, then marks the active sheet's tab.
    void highlightActiveOnly();

    // Tabs wrap onto several rows when they do not fit in one.
    void setMultiLine(bool on);
    bool multiLine() const;

    // Rectangle of a tab in this widget's coordinates (empty for a hidden tab).
    QRect tabRect(int index) const;

    // Chooses a page as if the user clicked its tab (emits `changed` when it differs).
    void selectPageByUser(int index);

    // Colour of the frame around the sheets and the tabs.
    static QColor frameColor(const QPalette& palette);

Q_SIGNALS:
    void changed(); // the user chose another page

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TabStrip;
    struct Tab {
        QWidget* sheet = nullptr;
        QString caption;
        QIcon icon;
        bool visible = true;
        bool highlighted = false;
    };
    void relayoutTabs();
    void showSheet(int index);

    std::vector<Tab> m_tabs;
    int m_active = -1;
    bool m_multiLine = true;
    TabStrip* m_strip = nullptr;
    QStackedWidget* m_stack = nullptr;
};
