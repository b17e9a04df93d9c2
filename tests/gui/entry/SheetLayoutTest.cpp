// Every control of both entry pages as laid out at 640 x 480, compared whole
// with tests/data/entry_pages.txt: container, object name, class, geometry,
// text, accessible name, tooltip, look and place in the Tab order. Run with
// PELO_WRITE_GOLDEN=1 to write the file from the pages as they stand.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "FakeUi.h"
#include "entry/Saisie1.h"
#include "entry/Saisie2.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

QString flat(QString s) { return s.replace('\n', QStringLiteral("\\n")); }

QStringList describe(QWidget* page, QWidget* first) {
    std::map<QWidget*, int> tab;
    QWidget* w = first;
    for (int i = 0; w && !tab.count(w); w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) tab[w] = i++;
    QStringList lines;
    for (QWidget* c : page->findChildren<QWidget*>()) {
        const QString cls = QString::fromLatin1(c->metaObject()->className());
        if (!cls.startsWith('Q') || cls == "QWidget") continue;  // parts of Qt's own widgets
        QString text;
        if (auto* l = qobject_cast<QLabel*>(c)) text = l->text() + " align=" + QString::number(int(l->alignment()));
        if (auto* b = qobject_cast<QAbstractButton*>(c)) text = b->text();
        if (auto* e = qobject_cast<QLineEdit*>(c))
            text = e->text() + " mask=" + e->inputMask() + " max=" + QString::number(e->maxLength()) +
                   (e->isReadOnly() ? " readonly" : "");
        const QRect g = c->geometry();
        const QString parent = c->parentWidget() == page ? QStringLiteral("-") : c->parentWidget()->objectName();
        lines << QStringList{parent + " > " + c->objectName(),
                             cls,
                             QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()),
                             flat(text),
                             c->accessibleName(),
                             c->toolTip(),
                             QStringLiteral("%1pt %2 fill=%3")
                                 .arg(c->font().pointSize())
                                 .arg(c->palette().color(QPalette::WindowText).name())
                                 .arg(c->autoFillBackground()),
                             tab.count(c) ? QString::number(tab[c]) : QStringLiteral("-")}
                     .join(" | ");
    }
    lines.sort();
    return lines;
}

}  // namespace

TEST(SheetLayout, BothPagesAsDesigned) {
    AppFixture app;
    auto* p1 = app.form<TFIB1>();
    auto* p2 = app.form<TFIB2>();
    QStringList got{"[TFIB1]"};
    got << describe(p1, p1->findChild<QWidget*>("MaskEdit19")) << "[TFIB2]"
        << describe(p2, p2->findChild<QWidget*>("CheckBox1"));

    QFile f(QStringLiteral(PELO_TEST_DATA "/entry_pages.txt"));
    if (qEnvironmentVariableIsSet("PELO_WRITE_GOLDEN")) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write((got.join('\n') + '\n').toUtf8());
        return;
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList expected = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    for (const QString& l : expected) EXPECT_TRUE(got.contains(l)) << "missing: " << l.toStdString();
    for (const QString& l : got) EXPECT_TRUE(expected.contains(l)) << "new: " << l.toStdString();
    EXPECT_EQ(got, expected);
}
