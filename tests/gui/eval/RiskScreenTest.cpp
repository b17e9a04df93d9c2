#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "FakeUi.h"
#include "eval/Risque.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {
QStringList shownLabels(TFRisque* r) {
    QStringList out;
    for (auto* l : r->findChildren<QLabel*>())
        if (l->objectName().startsWith("Label") && !l->isHidden() && l->objectName() != "Label9" &&
            l->objectName() != "Label18")
            out << l->objectName();
    out.sort();
    return out;
}
}  // namespace

TEST(RiskScreen, EmptySheetShowsTheNineMissingLabels) {
    AppFixture app;
    auto* r = app.form<TFRisque>();
    FibRecord f = emptyFibFromHeader(headerTemplate(), "01/01/2026");
    r->fill(f, {3, 3, 3, 3, 3, 3, 3}, 1234);
    QStringList want{"Label10", "Label12", "Label13", "Label14", "Label15", "Label16", "Label17", "Label19", "Label8"};
    want.sort();
    EXPECT_EQ(shownLabels(r), want);
    for (const QString& n : want) {
        auto* l = r->findChild<QLabel*>(n);
        EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(Qt::white)) << n.toStdString();
    }
    EXPECT_EQ(r->findChild<QProgressBar*>("Gauge1")->value(), 9);
    // A number of four digits is shown whole.
    EXPECT_EQ(r->findChild<QLineEdit*>("Edit1")->text(), "1234");
    EXPECT_FALSE(r->findChild<QPushButton*>("BitBtn2")->isEnabled());
    EXPECT_EQ(r->findChild<QLineEdit*>("Edit1")->focusPolicy() & Qt::TabFocus, 0);
}

TEST(RiskScreen, RisksInRedAndTheGaugeStopsAtTen) {
    AppFixture app;
    auto* r = app.form<TFRisque>();
    FibRecord f = emptyFibFromHeader(headerTemplate(), "01/01/2026");
    f.set(fld::Tabac, std::uint8_t{1});
    f.set(fld::TaSyst, 161);
    f.set(fld::TaDiast, 91);
    f.set(fld::Cholesterol, 7.0f);
    f.set(fld::Triglycerides, 2.5f);
    f.set(fld::HbA1c, 9.0f);
    f.set(fld::Poids, 90);
    f.set(fld::Taille, 170);
    f.set(fld::Microalb, 301.0f);
    r->fill(f, {3, 3, 3, 3, 3, 3, 3}, 7);
    QStringList want{"Label1", "Label2", "Label3",  "Label4", "Label5",
                     "Label6", "Label7", "Label11", "Label8", "Label10"};
    want.sort();
    EXPECT_EQ(shownLabels(r), want);
    EXPECT_EQ(r->findChild<QLabel*>("Label1")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(r->findChild<QProgressBar*>("Gauge1")->value(), 10);

    // In the review of all FIBs, "FIB Suivant" goes on and "Retour" ends it.
    EXPECT_TRUE(r->findChild<QPushButton*>("BitBtn1")->isDefault());
    r->setReviewing(true);
    EXPECT_TRUE(r->findChild<QPushButton*>("BitBtn2")->isEnabled());
    // Enter walks the review from the keyboard.
    EXPECT_TRUE(r->findChild<QPushButton*>("BitBtn2")->isDefault());
    EXPECT_FALSE(r->findChild<QPushButton*>("BitBtn1")->isDefault());
    r->BitBtn2Click();
    EXPECT_EQ(r->result(), QDialog::Accepted);
    r->BitBtn1Click();
    EXPECT_EQ(r->result(), QDialog::Rejected);
    r->setReviewing(false);
    EXPECT_TRUE(r->findChild<QPushButton*>("BitBtn1")->isDefault());
}
