// The small windows (help pages, « À propos », the query dialog) are scaled
// like the forms and fit the screen; boxes placed on a form follow the form.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include "FakeUi.h"
#include "app/Aide.h"
#include "app/Apropos.h"
#include "app/Menu1.h"
#include "pool/Quest.h"

using namespace pelo;
using pelo::test::AppFixture;

TEST(ScaledDialogs, SmallWindowsScaleWithTheScreenAndFitIt) {
    for (const QSize screen : {QSize(784, 560), QSize(1008, 728), QSize(1904, 1040)}) {
        AppFixture app;
        app.fake.screen = screen;
        const double f = Form::scaleFactorFor(screen);
        auto* help = helpPage(app.forms, 7);
        ASSERT_TRUE(help);
        const double helpFont = help->Memo1->font().pointSizeF();
        QList<Form*> forms{help, app.form<TFApropos>(), app.form<TFQuest>()};
        QList<QSize> design;
        for (Form* form : forms) design << form->size();
        for (Form* form : forms) form->scaleOnce();
        for (int i = 0; i < forms.size(); ++i) {
            const QSize s = forms[i]->size();
            EXPECT_NEAR(s.width(), design[i].width() * f, 1) << forms[i]->objectName().toStdString();
            EXPECT_LE(s.width(), screen.width()) << forms[i]->objectName().toStdString();
            EXPECT_LE(s.height(), screen.height()) << forms[i]->objectName().toStdString();
        }
        EXPECT_NEAR(help->Memo1->font().pointSizeF(), helpFont * f, 0.01);
        // Buttons keep their text whole at the larger font.
        for (Form* form : forms)
            for (auto* b : form->findChildren<QPushButton*>())
                EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), b->width())
                    << b->objectName().toStdString();
    }
}

// « À propos »'s title is sized from the label's font, so that it grows with it.
TEST(ScaledDialogs, AboutTitleIsRelativeToTheScaledFont) {
    AppFixture app;
    const QString text = app.form<TFApropos>()->LTexte->text();
    EXPECT_FALSE(text.contains("pt'")) << text.toStdString();
}

// A box meant for a point of a form goes over the form where it stands, at
// the form's scale, not at a point worked out from the screen's size.
TEST(ScaledDialogs, BoxesPlacedOnAFormFollowIt) {
    AppFixture app;
    app.fake.screen = QSize(1904, 1040);
    const double f = Form::scaleFactorFor(app.fake.screen);
    auto* m = app.form<TTMenu1>();
    m->scaleOnce();
    m->move(258, 20);
    m->findChild<QPushButton*>("Button3")->click();
    ASSERT_EQ(app.fake.messages.size(), 1u);
    const QPoint expected = QPoint(258, 20) + QPoint(int(390 * f + 0.5), int(260 * f + 0.5));
    ASSERT_TRUE(app.fake.messages[0].pos);
    EXPECT_LE((*app.fake.messages[0].pos - expected).manhattanLength(), 1);
    // A window that is not scaled keeps the design's point.
    auto* about = app.form<TFApropos>();
    about->setScalable(false);
    about->move(10, 10);
    EXPECT_EQ(about->boxPosition(30, 40), QPoint(40, 50));
}
