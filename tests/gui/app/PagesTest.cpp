#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include "FakeUi.h"
#include "app/Aide.h"
#include "app/News.h"
#include "app/Texte.h"
#include "entry/PageTexts.h"
#include "ui/Navigation.h"
#include "ui/QtAdapter.h"

using namespace pelo;
using pelo::test::AppFixture;

TEST(StartUp, CentreScreensAreCreatedInTheirOrder) {
    AppFixture app;
    const QStringList mine{"TTMenu1",  "TTAide1",  "TTAide10", "TTAide11", "TTAide12", "TTAide13", "TTAide14",
                           "TTAide2",  "TTAide3",  "TTAide4",  "TTAide5",  "TTAide6",  "TTAide7",  "TTAide8",
                           "TTMenu2",  "TTMenu3",  "TNctrDlg", "TNDepDlg", "TFNews",   "TNRegDlg", "TNSpeDlg",
                           "TTTexte3", "TTTexte4", "TTTexte5", "TTTexte6", "TTTexte7", "TFUnite"};
    QStringList created;
    for (QWidget* w : app.forms.ordered())
        if (mine.contains(w->objectName())) created << w->objectName();
    EXPECT_EQ(created, mine);
}

TEST(HelpPages, OpenModallyWithTheirCaptionAndLegend) {
    AppFixture app;
    for (int p : pages::helpPageNumbers()) {
        HelpPage* page = helpPage(app.forms, p);
        ASSERT_NE(page, nullptr) << p;
        EXPECT_EQ(page->objectName(), QStringLiteral("TTAide%1").arg(p));
        EXPECT_EQ(page->windowTitle(), QString::fromStdString(pages::helpCaption(p)));
        EXPECT_TRUE(page->text().startsWith(QString::fromUtf8("Bandeau orange : zone incomplète\n")));
        EXPECT_TRUE(page->findChild<QTextEdit*>("Memo1")->isReadOnly());
        EXPECT_EQ(page->findChild<QPushButton*>("Button1")->text(), "Retour");
    }
    app.nav.centre().openHelp(7);
    app.nav.centre().openHelp(9);  // no such page
    app.nav.centre().openHelp(14);
    EXPECT_EQ(app.fake.modalOpened, (std::vector<QString>{"TTAide7", "TTAide14"}));
}

TEST(TextPages, FullScreenAndScaledWithTheOthers) {
    AppFixture app;
    app.fake.screen = QSize(1920, 1080);
    auto* page = app.forms.get<TTTexte7>();
    EXPECT_EQ(page->windowTitle(), "HISTORIQUE");
    EXPECT_TRUE(page->text().contains("TELMORIS"));
    EXPECT_EQ(page->size(), QSize(640, 480));
    page->scaleOnce();
    EXPECT_EQ(page->size(), QSize(1440, 1080));
    // Help pages are small windows, scaled by the same factor.
    auto* help = app.forms.get<TTAide1>();
    const QSize before = help->size();
    help->scaleOnce();
    EXPECT_EQ(help->size(), before * 2.25);
}

TEST(TextPages, ShownFromAModalScreenTheyStayUsable) {
    AppFixture app;
    ui::QtAdapter real;
    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);
    auto* page = app.forms.get<TTTexte7>();
    real.showModeless(page);
    // Input reaches a window that a modal form blocks only through its transients.
    ASSERT_NE(page->windowHandle(), nullptr);
    EXPECT_EQ(page->windowHandle()->transientParent(), modal.windowHandle());
    page->hide();

    // A modal form opened over another one hangs on it too, so a page left
    // open after the upper form closed is still reachable.
    auto* news = app.forms.get<TFNews>();
    QWindow* newsParent = nullptr;
    QTimer::singleShot(0, news, [&] {
        newsParent = news->windowHandle()->transientParent();
        news->reject();
    });
    real.showModal(news);
    EXPECT_EQ(newsParent, modal.windowHandle());

    modal.hide();
    real.showModeless(page);
    EXPECT_EQ(page->windowHandle()->transientParent(), nullptr);
    page->hide();
}
