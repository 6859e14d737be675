#pragma once

// What the planner grid's source files share: its colours and sizes, and the margin widgets
// above and beside the grid.

#include "plannergrid.h"

#include <QColor>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace PlannerGridLook {

inline const QColor closedColour(244, 245, 247);
inline const QColor primeColour(255, 248, 228);
inline const QColor slotLineColour(233, 235, 239);
inline const QColor hourLineColour(203, 208, 216);
inline const QColor columnLineColour(211, 215, 222);
inline const QColor marginColour(247, 248, 250);
inline const QColor marginTextColour(70, 74, 82);
inline const QColor accentColour(25, 118, 210);

inline constexpr int edgeGrip = 5;      // pixels at an item's top and bottom that resize it
inline constexpr int columnGutter = 10; // free strip at the right of a column for new items

// Minutes from start to end; an end before the start lies on the next day.
inline int durationOf(int start, int end)
{
    return end < start ? end + PlannerGeometry::MinutesPerDay - start : end - start;
}

} // namespace PlannerGridLook

// The header above the grid and the time ruler at its left: thin widgets in the viewport's
// margins that the grid paints, so they stay in place while the grid scrolls.
class PlannerGrid::Margin : public QWidget
{
public:
    Margin(PlannerGrid *grid, bool header) : QWidget(grid), m_grid(grid), m_isHeader(header) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (m_isHeader)
            m_grid->paintHeader(p, rect());
        else
            m_grid->paintRuler(p, rect());
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        if (m_isHeader && e->button() == Qt::LeftButton)
            m_grid->headerDoubleClicked(e->position().toPoint());
    }

private:
    PlannerGrid *m_grid;
    bool m_isHeader;
};
