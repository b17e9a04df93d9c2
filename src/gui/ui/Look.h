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
inline const QColor kGrey(192, 192, 192);

inline void setBackground(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// The background of an edit or a list.
inline void setBase(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, c);
    w->setPalette(pal);
}

inline void setFont(QWidget* w, int points, bool bold) {
    QFont f = w->font();
    f.setPointSize(points);
    f.setBold(bold);
    w->setFont(f);
}

inline void boldFont(QWidget* w, int points) { setFont(w, points, true); }

inline void whiteText(QLabel* l, int points = 10, bool bold = true) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    setFont(l, points, bold);
}

inline void bannerFont(QLabel* l) { boldFont(l, 16); }

// A read-only field in black bold type on a coloured background.
inline QLineEdit* readOnlyField(QWidget* parent, const QString& name, const QString& accessible, const QRect& at,
                                const QColor& bg) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setReadOnly(true);
    e->setGeometry(at);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, bg);
    pal.setColor(QPalette::Text, Qt::black);
    e->setPalette(pal);
    boldFont(e, 10);
    return e;
}

// A read-only field with an aqua background, as the record menu shows the centre.
inline QLineEdit* aquaField(QWidget* parent, const QString& name, const QString& accessible, int x, int y, int w,
                            int h) {
    return readOnlyField(parent, name, accessible, QRect(x, y, w, h), kAqua);
}

}  // namespace pelo::look
