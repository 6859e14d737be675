#include "platform/controls/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace Pictures {

namespace {

const QColor ink(55, 71, 79);
const QColor accent(25, 118, 210);
const QColor paper(250, 250, 250);
const QColor danger(198, 40, 40);

QPen pen(const QColor &colour, double width = 3.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter &p, const QRectF &r)
{
    p.setPen(pen(ink, 2.5));
    p.setBrush(paper);
    p.drawRoundedRect(r, 3, 3);
}

void drawArrow(QPainter &p, bool forward)
{
    QPainterPath path;
    if (forward) {
        path.moveTo(17, 10);
        path.lineTo(33, 24);
        path.lineTo(17, 38);
    } else {
        path.moveTo(31, 10);
        path.lineTo(15, 24);
        path.lineTo(31, 38);
    }
    p.setPen(pen(accent, 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void drawPicture(QPainter &p, const QString &name)
{
    if (name == "cut") {
        p.setPen(pen(ink, 3));
        p.drawLine(QPointF(14, 6), QPointF(31, 31));
        p.drawLine(QPointF(34, 6), QPointF(17, 31));
        p.setPen(pen(accent, 3.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(14, 36), 6, 6);
        p.drawEllipse(QPointF(34, 36), 6, 6);
    } else if (name == "copy") {
        drawPage(p, QRectF(8, 6, 22, 28));
        drawPage(p, QRectF(18, 14, 22, 28));
        p.setPen(pen(accent, 2.5));
        for (int y : {22, 28, 34})
            p.drawLine(QPointF(23, y), QPointF(35, y));
    } else if (name == "paste") {
        p.setPen(pen(ink, 2.5));
        p.setBrush(QColor(176, 190, 197));
        p.drawRoundedRect(QRectF(9, 8, 30, 34), 4, 4);
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(17, 4, 14, 8), 2, 2);
        drawPage(p, QRectF(15, 16, 18, 22));
        p.setPen(pen(accent, 2.5));
        for (int y : {23, 29})
            p.drawLine(QPointF(19, y), QPointF(29, y));
    } else if (name == "delete") {
        p.setPen(pen(danger, 3));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(9, 12), QPointF(39, 12));
        p.drawLine(QPointF(19, 12), QPointF(20, 7));
        p.drawLine(QPointF(20, 7), QPointF(28, 7));
        p.drawLine(QPointF(28, 7), QPointF(29, 12));
        QPainterPath body;
        body.moveTo(13, 16);
        body.lineTo(16, 42);
        body.lineTo(32, 42);
        body.lineTo(35, 16);
        p.drawPath(body);
        for (int x : {20, 24, 28})
            p.drawLine(QPointF(x, 21), QPointF(x, 37));
    } else if (name == "search") {
        p.setPen(pen(ink, 4));
        p.setBrush(QColor(227, 242, 253));
        p.drawEllipse(QPointF(21, 20), 11, 11);
        p.setPen(pen(accent, 6));
        p.drawLine(QPointF(29, 29), QPointF(40, 40));
    } else if (name == "mine") {
        p.setPen(pen(ink, 2.5));
        p.setBrush(accent);
        p.drawEllipse(QPointF(24, 16), 8, 8);
        QPainterPath body;
        body.moveTo(8, 42);
        body.cubicTo(8, 26, 40, 26, 40, 42);
        body.closeSubpath();
        p.drawPath(body);
    } else if (name == "today") {
        drawPage(p, QRectF(7, 9, 34, 32));
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRect(QRectF(8.5, 10.5, 31, 8));
        p.setPen(pen(ink, 3));
        p.drawLine(QPointF(16, 5), QPointF(16, 12));
        p.drawLine(QPointF(32, 5), QPointF(32, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(danger);
        p.drawRoundedRect(QRectF(19, 24, 11, 11), 2, 2);
    } else if (name == "repeat") {
        p.setPen(pen(accent, 4));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(9, 9, 30, 30), 30 * 16, 150 * 16);
        p.drawArc(QRectF(9, 9, 30, 30), 210 * 16, 150 * 16);
        p.setPen(pen(accent, 3));
        p.setBrush(accent);
        QPolygonF head1({QPointF(33, 6), QPointF(40, 16), QPointF(28, 17)});
        QPolygonF head2({QPointF(15, 42), QPointF(8, 32), QPointF(20, 31)});
        p.drawPolygon(head1);
        p.drawPolygon(head2);
    } else if (name == "print") {
        drawPage(p, QRectF(14, 5, 20, 14));
        p.setPen(pen(ink, 2.5));
        p.setBrush(QColor(120, 144, 156));
        p.drawRoundedRect(QRectF(6, 17, 36, 17), 4, 4);
        drawPage(p, QRectF(13, 28, 22, 15));
        p.setPen(pen(accent, 2));
        p.drawLine(QPointF(17, 34), QPointF(31, 34));
        p.drawLine(QPointF(17, 38), QPointF(27, 38));
    } else if (name == "previous" || name == "next") {
        drawArrow(p, name == "next");
    }
}

} // namespace

QIcon picture(const QString &name)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawPicture(p, name);
    p.end();
    return QIcon(pixmap);
}

} // namespace Pictures
