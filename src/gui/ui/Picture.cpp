#include "ui/Picture.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace pelo::look {

QPixmap diabetesPicture(QSize size) {
    QPixmap pm(size);
    pm.fill(QColor(0, 0, 128));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QPointF c(w / 2, h * 0.5);
    const double r = std::min(w, h) * 0.33;
    // The blue circle of diabetes care, a blood drop in its centre and the
    // twelve stars of the European declaration around it.
    p.setPen(QPen(QColor(64, 160, 255), r * 0.22));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    QPainterPath drop;
    const double d = r * 0.45;
    drop.moveTo(c.x(), c.y() - d * 1.3);
    drop.cubicTo(c.x() + d * 0.2, c.y() - d * 0.6, c.x() + d * 0.8, c.y(), c.x() + d * 0.8, c.y() + d * 0.35);
    drop.arcTo(QRectF(c.x() - d * 0.8, c.y() - d * 0.45, d * 1.6, d * 1.6), 0, -180);
    drop.cubicTo(c.x() - d * 0.8, c.y(), c.x() - d * 0.2, c.y() - d * 0.6, c.x(), c.y() - d * 1.3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 40));
    p.drawPath(drop);
    p.setBrush(QColor(255, 215, 0));
    const double sr = r * 1.3;
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        const QPointF sc(c.x() + sr * std::cos(a), c.y() + sr * std::sin(a));
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const double rr = (k % 2 == 0) ? r * 0.09 : r * 0.038;
            const double aa = -M_PI / 2 + k * M_PI / 5;
            star << QPointF(sc.x() + rr * std::cos(aa), sc.y() + rr * std::sin(aa));
        }
        p.drawPolygon(star);
    }
    return pm;
}

void showDiabetesPicture(QLabel* l) {
    l->setScaledContents(true);
    l->setPixmap(diabetesPicture(QSize(480, 440)));
    l->setAccessibleName(QString::fromUtf8("Cercle bleu du diabète"));
}

}  // namespace pelo::look
