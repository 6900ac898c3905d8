#pragma once
// The main window's status bar: a fixed row of panels, each with its own width and text
// alignment, the last one reaching to the right edge. Pictures (the link-activity icon,
// the state icon) are child widgets placed on a panel's rectangle.

#include <QStatusBar>

#include <vector>

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    struct Panel {
        int width = 50;
        Qt::Alignment alignment = Qt::AlignLeft;
        QString text;
    };

    explicit TStatusBar(QWidget* parent = nullptr);

    void setPanels(const std::vector<Panel>& panels);
    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    // The panel's rectangle in this widget's coordinates; the last panel reaches the right edge.
    QRect panelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Panel> m_panels;
};
