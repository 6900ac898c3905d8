#pragma once
// A numbered list of small pictures, as the window's painters and controls pick them by
// position. The pictures are our own SVG files in the resources, so they stay sharp at any
// scale; a position without a picture gives a null icon and draws nothing.

#include <QIcon>
#include <QString>

#include <vector>

class QPainter;
class QRect;

class TImageList {
public:
    // Loads ":/ui/<folder>/NN.svg" for NN = 0 .. count-1 (missing files stay empty).
    TImageList(const QString& folder, int count, int size = 16);

    int count() const { return int(m_icons.size()); }
    int size() const { return m_size; }
    QIcon icon(int index) const;
    QPixmap pixmap(int index, int size = 0, qreal devicePixelRatio = 1.0) const;
    // Draws picture `index` stretched into `rect`.
    void draw(QPainter& painter, const QRect& rect, int index) const;

private:
    std::vector<QIcon> m_icons;
    int m_size;
};

// The main window's picture lists.
//   ImageList1: menu and tool bar pictures of the actions.
//   ImageList2: the 33 page and state pictures (14 the warning state, 16 the open state).
//   ImageList4: the four frames of the link-activity animation.
const TImageList& ImageList1();
const TImageList& ImageList2();
const TImageList& ImageList4();
QIcon ProgramIcon();

// ImageList2 positions with a fixed meaning.
namespace Img2 {
constexpr int ExpanderUnknown = 0; // grey "R" button: expander beyond the known ones
constexpr int InputOnboard = 3;
constexpr int OutputOnboard = 7;
constexpr int Radio = 9;    // also the radio page's tab picture
constexpr int Warning = 14; // also the state picture before an installation is opened
constexpr int InstallationOpen = 16;
constexpr int KeypadTerminal = 29;
constexpr int ExpanderEnabled = 30;
} // namespace Img2
