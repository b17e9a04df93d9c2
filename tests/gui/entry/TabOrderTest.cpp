// The pages' Tab order, whole: the sheet group by group, each group's check
// panel and help button after its last control, then the page's buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "FakeUi.h"
#include "entry/Saisie1.h"
#include "entry/Saisie2.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

std::vector<std::string> tabChain(QWidget* start) {
    std::vector<std::string> chain;
    QWidget* w = start;
    for (int i = 0; i < 1000 && w; ++i) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty()) {
            if (!chain.empty() && chain.front() == w->objectName().toStdString()) break;
            chain.push_back(w->objectName().toStdString());
        }
        w = w->nextInFocusChain();
    }
    return chain;
}

}  // namespace

TEST(EntryTabOrder, PageOneRunsThroughTheSheetThenItsButtons) {
    AppFixture app;
    auto* p = app.form<TFIB1>();
    const std::vector<std::string> expected{
        "MaskEdit19",    "Edit3",         "Edit4",         "Edit5",        "RadioButton10", "RadioButton11",
        "RadioButton12", "RadioButton13", "RadioButton14", "MaskEdit1",    "Edit1",         "Edit2",
        "Panel23",       "BitBtn2",       "RadioButton1",  "RadioButton2", "RadioButton3",  "RadioButton4",
        "RadioButton5",  "RadioButton6",  "RadioButton7",  "RadioButton8", "RadioButton9",  "Panel22",
        "BitBtn3",       "Edit9",         "Edit8",         "Edit7",        "Edit6",         "Panel24",
        "BitBtn4",       "CheckBox1",     "CheckBox2",     "CheckBox4",    "Edit10",        "CheckBox3",
        "CheckBox5",     "Edit11",        "Panel25",       "BitBtn5",      "RadioButton15", "RadioButton16",
        "MaskEdit2",     "MaskEdit3",     "Panel26",       "BitBtn6",      "CheckBox6",     "CheckBox8",
        "CheckBox7",     "CheckBox9",     "CheckBox10",    "CheckBox11",   "CheckBox12",    "CheckBox13",
        "CheckBox14",    "CheckBox16",    "CheckBox15",    "CheckBox17",   "CheckBox18",    "CheckBox19",
        "Panel27",       "BitBtn7",       "MaskEdit7",     "MaskEdit6",    "MaskEdit5",     "MaskEdit4",
        "MaskEdit8",     "MaskEdit9",     "MaskEdit11",    "MaskEdit12",   "MaskEdit10",    "CheckBox20",
        "CheckBox21",    "MaskEdit13",    "MaskEdit14",    "MaskEdit15",   "MaskEdit16",    "MaskEdit17",
        "MaskEdit18",    "Panel28",       "BitBtn8",       "CheckBox22",   "CheckBox25",    "CheckBox28",
        "CheckBox23",    "CheckBox26",    "CheckBox29",    "CheckBox24",   "CheckBox27",    "CheckBox30",
        "CheckBox31",    "CheckBox34",    "CheckBox37",    "CheckBox32",   "CheckBox35",    "CheckBox38",
        "CheckBox33",    "CheckBox36",    "CheckBox39",    "Panel29",      "BitBtn9",       "BitBtn1",
        "Button2",       "Button3",       "BitBtn11",
    };
    const auto got = tabChain(p->findChild<QLineEdit*>("MaskEdit19"));
    std::string all;
    for (const auto& n : got) all += "\"" + n + "\", ";
    EXPECT_EQ(got, expected) << all;
}

TEST(EntryTabOrder, PageTwoRunsThroughTheSheetThenItsButtons) {
    AppFixture app;
    auto* p = app.form<TFIB2>();
    const std::vector<std::string> expected{
        "CheckBox1",   "CheckBox3",   "CheckBox5",   "CheckBox7",    "CheckBox9",    "CheckBox10",   "CheckBox2",
        "CheckBox4",   "CheckBox6",   "CheckBox8",   "Panel13",      "BitBtn3",      "RadioButton1", "RadioButton2",
        "CheckBox15",  "CheckBox16",  "CheckBox17",  "CheckBox18",   "CheckBox19",   "CheckBox11",   "CheckBox55",
        "CheckBox63",  "CheckBox20",  "CheckBox12",  "CheckBox56",   "CheckBox64",   "CheckBox21",   "CheckBox49",
        "CheckBox57",  "CheckBox65",  "CheckBox22",  "CheckBox50",   "CheckBox58",   "CheckBox66",   "CheckBox23",
        "CheckBox51",  "CheckBox59",  "CheckBox67",  "CheckBox24",   "CheckBox52",   "CheckBox60",   "CheckBox68",
        "CheckBox25",  "CheckBox53",  "CheckBox61",  "CheckBox69",   "CheckBox26",   "CheckBox54",   "CheckBox62",
        "CheckBox70",  "Edit1",       "Edit2",       "RadioButton3", "RadioButton4", "CheckBox13",   "CheckBox75",
        "CheckBox81",  "CheckBox87",  "CheckBox14",  "CheckBox76",   "CheckBox82",   "CheckBox88",   "CheckBox71",
        "CheckBox77",  "CheckBox83",  "CheckBox89",  "CheckBox72",   "CheckBox78",   "CheckBox84",   "CheckBox90",
        "CheckBox73",  "CheckBox79",  "CheckBox85",  "CheckBox91",   "CheckBox74",   "CheckBox80",   "CheckBox86",
        "CheckBox92",  "Panel15",     "BitBtn4",     "Edit3",        "Edit4",        "Edit7",        "Edit8",
        "Edit5",       "Edit6",       "CheckBox93",  "CheckBox94",   "Panel16",      "BitBtn2",      "CheckBox27",
        "CheckBox28",  "MaskEdit1",   "CheckBox29",  "CheckBox30",   "MaskEdit2",    "CheckBox31",   "CheckBox32",
        "MaskEdit3",   "CheckBox33",  "CheckBox34",  "Edit9",        "CheckBox95",   "CheckBox96",   "CheckBox97",
        "CheckBox103", "CheckBox98",  "CheckBox104", "CheckBox99",   "CheckBox105",  "CheckBox100",  "CheckBox106",
        "CheckBox101", "CheckBox107", "CheckBox102", "CheckBox108",  "Panel17",      "BitBtn5",      "CheckBox35",
        "CheckBox36",  "CheckBox37",  "CheckBox38",  "CheckBox39",   "CheckBox40",   "CheckBox41",   "CheckBox42",
        "CheckBox43",  "CheckBox44",  "CheckBox45",  "CheckBox46",   "CheckBox47",   "CheckBox48",   "Panel18",
        "BitBtn6",     "BitBtn1",     "Button2",     "BImp",
    };
    const auto got = tabChain(p->findChild<QWidget*>("CheckBox1"));
    std::string all;
    for (const auto& n : got) all += "\"" + n + "\", ";
    EXPECT_EQ(got, expected) << all;
}

TEST(EntryPanels, NamedAfterTheirGroups) {
    AppFixture app;
    for (QWidget* page : {static_cast<QWidget*>(app.form<TFIB1>()), static_cast<QWidget*>(app.form<TFIB2>())}) {
        const bool first = page == app.form<TFIB1>();
        for (const auto& def : first ? entry::page1Panels() : entry::page2Panels()) {
            auto* p = page->findChild<QWidget*>(def.name);
            ASSERT_NE(p, nullptr) << def.name;
            EXPECT_EQ(p->accessibleName(), QString::fromUtf8("Contrôle : ") + QString::fromUtf8(def.group));
        }
    }
    // Page 2's groups are named as their captions read.
    bool found = false;
    for (auto* w : app.form<TFIB2>()->findChildren<QWidget*>())
        found = found || w->accessibleName() == QString::fromUtf8("Observation ( bilan des 12 derniers mois )");
    EXPECT_TRUE(found);
}

// Space on a check panel reached with Tab runs its check, with its messages.
TEST(EntryPanels, SpaceRunsThePanelsCheckWithItsMessages) {
    AppFixture app;
    auto* p1 = app.form<TFIB1>();
    app.centre.ShowCheckMessages = true;
    app.centre.CurrentYear = 2026;
    p1->show();
    p1->findChild<QLineEdit*>("Edit5")->setText("2030");  // born after this year
    auto* panel = p1->findChild<QPushButton*>("Panel23");
    ASSERT_TRUE(panel->focusPolicy() & Qt::TabFocus);
    panel->setFocus();
    for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent space(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(panel, &space);
    }
    EXPECT_FALSE(app.fake.messages.empty());
    p1->hide();
}

TEST(EntryFocus, EachPageOpensOnItsFirstEntry) {
    AppFixture app;
    auto* p1 = app.form<TFIB1>();
    p1->show();
    EXPECT_EQ(p1->focusWidget(), p1->findChild<QWidget*>("MaskEdit19"));
    p1->hide();
    auto* p2 = app.form<TFIB2>();
    p2->show();
    EXPECT_EQ(p2->focusWidget(), p2->findChild<QWidget*>("CheckBox1"));
    p2->hide();
}

// No two controls of a page answer to the same name for a screen reader.
TEST(EntryAccessibility, NamesAreUniqueOnEachPage) {
    AppFixture app;
    for (QWidget* page : {static_cast<QWidget*>(app.form<TFIB1>()), static_cast<QWidget*>(app.form<TFIB2>())}) {
        std::map<QString, QString> seen;
        for (auto* w : page->findChildren<QWidget*>()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || w->accessibleName().isEmpty()) continue;
            auto [it, fresh] = seen.emplace(w->accessibleName(), w->objectName());
            EXPECT_TRUE(fresh) << w->accessibleName().toStdString() << ": " << it->second.toStdString() << " and "
                               << w->objectName().toStdString();
        }
    }
}
