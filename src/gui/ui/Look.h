#pragma once
// Small helpers for the look shared by the centre's screens: navy forms,
// white captions, aqua read-only fields.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace pelo::look {

inline const QColor kNavy(0, 0, 128);
inline const QColor kAqua(0, 255, 255);

inline void setBackground(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

inline void whiteText(QLabel* l, int points = 10, bool bold = true) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    QFont f = l->font();
    f.setPointSize(points);
    f.setBold(bold);
    l->setFont(f);
}

inline void bannerFont(QLabel* l) {
    QFont f = l->font();
    f.setPointSize(16);
    f.setBold(true);
    l->setFont(f);
}

// A read-only field with an aqua background, as the record menu shows the centre.
inline QLineEdit* aquaField(QWidget* parent, const QString& name, const QString& accessible, int x, int y, int w, int h) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setReadOnly(true);
    e->setGeometry(x, y, w, h);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, kAqua);
    pal.setColor(QPalette::Text, Qt::black);
    e->setPalette(pal);
    QFont f = e->font();
    f.setPointSize(10);
    f.setBold(true);
    e->setFont(f);
    return e;
}

}  // namespace pelo::look
