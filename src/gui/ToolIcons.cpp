#include "ToolIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace quorvex {

namespace {

const QColor Ink(45, 55, 80);
const QColor Accent(40, 110, 200);

QPixmap Canvas(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

// Draws on a 24 x 24 grid scaled to size.
template <typename Paint> QIcon Drawn(Paint paint)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) {
        QPixmap pm = Canvas(size);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        paint(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

void Page(QPainter& p, QRectF r)
{
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Qt::white);
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.drawPath(path);
}

QIcon SortIcon(const QString& label, bool withArrow = true)
{
    return Drawn([label, withArrow](QPainter& p) {
        QFont f = QApplication::font();
        f.setBold(true);
        f.setPixelSize(label.size() > 1 ? 9 : 12);
        p.setFont(f);
        p.setPen(Ink);
        p.drawText(QRectF(0, 2, withArrow ? 16 : 24, 20), Qt::AlignCenter, label);
        if (!withArrow) return;
        p.setPen(QPen(Accent, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 4), QPointF(19, 19));
        p.drawLine(QPointF(16, 16), QPointF(19, 20));
        p.drawLine(QPointF(22, 16), QPointF(19, 20));
    });
}

} // namespace

QIcon ToolIcon(TToolIcon which)
{
    switch (which) {
    case tiNew:
        return Drawn([](QPainter& p) {
            Page(p, QRectF(5, 2, 14, 19));
            p.setPen(QPen(QColor(230, 150, 0), 2));
            p.drawLine(QPointF(17, 15), QPointF(17, 23));
            p.drawLine(QPointF(13, 19), QPointF(21, 19));
        });
    case tiOpen:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(Ink, 1.2));
            p.setBrush(QColor(240, 200, 90));
            p.drawRect(QRectF(2, 6, 18, 14));
            p.setBrush(QColor(250, 220, 120));
            QPolygonF lid{{5, 10}, {23, 10}, {19, 20}, {2, 20}};
            p.drawPolygon(lid);
        });
    case tiSave:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(Ink, 1.2));
            p.setBrush(QColor(60, 100, 170));
            p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 3, 10, 7));
            p.setBrush(QColor(200, 210, 225));
            p.drawRect(QRectF(6, 13, 12, 8));
        });
    case tiBack:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(Accent, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(12, 20), QPointF(12, 5));
            p.drawLine(QPointF(6, 11), QPointF(12, 5));
            p.drawLine(QPointF(18, 11), QPointF(12, 5));
        });
    case tiReverse:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(Accent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(8, 20), QPointF(8, 4));
            p.drawLine(QPointF(4, 8), QPointF(8, 4));
            p.drawLine(QPointF(12, 8), QPointF(8, 4));
            p.setPen(QPen(QColor(200, 80, 40), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(16, 4), QPointF(16, 20));
            p.drawLine(QPointF(12, 16), QPointF(16, 20));
            p.drawLine(QPointF(20, 16), QPointF(16, 20));
        });
    case tiSortName: return SortIcon("Az");
    case tiSortExt: return SortIcon(".x");
    case tiSortSize: return SortIcon("kB");
    case tiSortDate: return SortIcon("31");
    case tiSortMedia: return SortIcon("Md");
    case tiSortFree: return SortIcon("Fr");
    case tiLargeIcons:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(Ink, 1));
            p.setBrush(QColor(120, 160, 220));
            for (int x : {3, 13})
                for (int y : {3, 13}) p.drawRect(QRectF(x, y, 8, 8));
        });
    case tiSmallIcons:
        return Drawn([](QPainter& p) {
            p.setPen(Qt::NoPen);
            for (int x : {3, 13})
                for (int y : {4, 10, 16}) {
                    p.setBrush(QColor(120, 160, 220));
                    p.drawRect(QRectF(x, y, 3, 3));
                    p.setBrush(Ink);
                    p.drawRect(QRectF(x + 4, y + 1, 4, 1.2));
                }
        });
    case tiList:
        return Drawn([](QPainter& p) {
            p.setPen(Qt::NoPen);
            for (int y : {4, 9, 14, 19}) {
                p.setBrush(QColor(120, 160, 220));
                p.drawRect(QRectF(3, y, 3, 3));
                p.setBrush(Ink);
                p.drawRect(QRectF(8, y + 1, 12, 1.4));
            }
        });
    case tiDetails:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(Ink, 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 3.5, 19, 17));
            p.setBrush(QColor(200, 210, 230));
            p.drawRect(QRectF(2.5, 3.5, 19, 4));
            for (int y : {10, 13, 16}) p.drawLine(QPointF(4, y), QPointF(20, y));
            p.drawLine(QPointF(10, 3.5), QPointF(10, 20.5));
        });
    }
    return {};
}

QPixmap StatusLight(TStatusLight which)
{
    const QColor colour = which == slBusy ? QColor(220, 50, 40) : which == slSearch ? QColor(240, 180, 20)
                                                                                    : QColor(40, 180, 60);
    QPixmap pm = Canvas(14);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(5, 5), 7);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(1, colour.darker(120));
    p.setBrush(g);
    p.setPen(QPen(colour.darker(180), 1));
    p.drawEllipse(QRectF(1, 1, 12, 12));
    p.end();
    return pm;
}

} // namespace quorvex
