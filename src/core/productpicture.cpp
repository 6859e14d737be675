#include "core/productpicture.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap ProductIcon(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0x2b, 0x6c, 0xb0));
    g.setColorAt(1, QColor(0x1a, 0x36, 0x5d));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(r, size * 0.16, size * 0.16);
    // A calendar sheet with a tick: booked.
    const QRectF sheet(size * 0.24, size * 0.26, size * 0.52, size * 0.5);
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, size * 0.05, size * 0.05);
    p.setBrush(QColor(0xe5, 0x3e, 0x3e));
    p.drawRect(QRectF(sheet.left(), sheet.top(), sheet.width(), size * 0.11));
    QPen tick(QColor(0x2f, 0x85, 0x5a), size * 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(size * 0.35, size * 0.56);
    path.lineTo(size * 0.46, size * 0.66);
    path.lineTo(size * 0.66, size * 0.45);
    p.drawPath(path);
    return pm;
}

QPixmap ProductPicture(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, QColor(0x1a, 0x36, 0x5d));
    g.setColorAt(1, QColor(0x2b, 0x6c, 0xb0));
    p.fillRect(pm.rect(), g);
    const int icon = height * 6 / 10;
    p.drawPixmap(height / 5, (height - icon) / 2, ProductIcon(icon));
    // Each text keeps its size unless the picture is too narrow for it.
    const int left = height / 5 + icon + height / 8;
    const int room = width - left - height / 8;
    auto fitted = [room](QFont font, const QString &text) {
        while (font.pointSize() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPointSize(font.pointSize() - 1);
        return font;
    };
    const QString name = QStringLiteral("Vantix");
    const QString line = QStringLiteral("Rooms and equipment booking");
    p.setFont(fitted(QFont("DejaVu Sans", qMax(10, height / 4), QFont::Bold), name));
    p.setPen(Qt::white);
    const QRect text(left, 0, room, height * 62 / 100);
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, name);
    p.setFont(fitted(QFont("DejaVu Sans", qMax(7, height / 11)), line));
    p.setPen(QColor(0xcf, 0xe0, 0xf5));
    p.drawText(QRect(left, height * 64 / 100, room, height / 3), Qt::AlignLeft | Qt::AlignTop,
               line);
    return pm;
}
