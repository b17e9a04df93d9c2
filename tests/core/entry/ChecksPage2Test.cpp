// The five check routines of entry page 2 and the run of the save.
#include <gtest/gtest.h>

#include "entry/Checks.h"
#include "store/FibRecord.h"

using namespace pelo;
using namespace pelo::checks;

namespace {

using Msgs = std::vector<std::string>;
using Names = std::vector<std::string>;
const std::pair<int, int> kEye{304, 120}, kFoot{75, 120};

// Page 2 of a man with both examinations done and nothing odd.
struct Sheet {
    FibRecord r = emptyFibFromHeader(headerTemplate(), "08/12/2026");
    Entries e{{"Edit1", "8"},        {"Edit2", "9"},    {"Edit3", "2"},    {"Edit4", ""},
              {"Edit5", "0"},        {"Edit6", ""},     {"Edit7", "4"},    {"Edit8", "4"},
              {"MaskEdit1", "1995"}, {"MaskEdit2", ""}, {"MaskEdit3", ""}, {"Edit9", ""}};
    Context c{2026, {3, 3, 3, 3, 3, 3, 3}, true};
    Sheet() {
        r.set(fld::EtatFiche, 0);
        r.set(fld::Sexe, 1);
        r.set(fld::AnDebutComprimes, 1990);
        r.set(fld::AnDebutInsuline, 2000);
        r.set(fld::ExamYeux, 1);
        r.set(fld::ExamPieds, 1);
        r.set(fld::Biguanides, 1);
        r.set(fld::InsNph, 2);
    }
    std::uint8_t etat() const { return r.get(fld::EtatFiche); }
};

Msgs messages(const PanelResult& p) {
    Msgs out;
    for (const auto& f : p.findings) out.push_back(f.message);
    return out;
}

}  // namespace

TEST(Page2Checks, CompleteSheetHasNoFindingAndStoresItsEntries) {
    Sheet s;
    auto all = runPage2(s.r, s.e, s.c);
    ASSERT_EQ(all.size(), 5u);
    const char* order[] = {"Panel13", "Panel15", "Panel16", "Panel17", "Panel18"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(all[i].panel, order[i]);
        EXPECT_TRUE(all[i].findings.empty()) << order[i] << " " << all[i].findings.size();
        EXPECT_EQ(all[i].colour, Colour::Navy);
    }
    EXPECT_EQ(s.r.get(fld::AcuiteD), 8);
    EXPECT_EQ(s.r.get(fld::AcuiteG), 9);
    EXPECT_EQ(s.r.get(fld::HypoNbAn), 2);
    EXPECT_EQ(s.r.get(fld::HyperNbAn), -1);
    EXPECT_EQ(s.r.get(fld::JoursHosp), 0);
    EXPECT_EQ(s.r.get(fld::InjAvant), 4);
    EXPECT_EQ(s.r.get(fld::AnBiguanides), 1995);
    EXPECT_EQ(s.r.get(fld::AnSulfamides), -1);
    EXPECT_EQ(s.etat(), 0);
}

TEST(Page2Checks, SymptomsOfAWoman) {
    Sheet s;
    s.r.set(fld::Anerection, 2);
    EXPECT_TRUE(Panel13Click(s.r, s.e, s.c).findings.empty());  // a man may answer
    s.r.set(fld::Sexe, 2);
    auto p = Panel13Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), Msgs{"Vérifiez le sexe !"});
    EXPECT_EQ(p.findings[0].kind, Kind::Error);
    EXPECT_EQ(s.r.get(fld::Anerection), 255);
    EXPECT_EQ(s.etat(), 2);
    EXPECT_TRUE(Panel13Click(s.r, s.e, s.c).findings.empty());  // cleared once
}

TEST(Page2Checks, RetinopathyKindTicksRetinopathyThenRetinaSeen) {
    Sheet s;
    s.r.set(fld::RetinoProlifD, 1);
    s.r.set(fld::ExamYeux, 255);
    auto p = Panel15Click(s.r, s.e, s.c);
    EXPECT_EQ(s.r.get(fld::RetinopathieD), 1);
    EXPECT_EQ(s.r.get(fld::RetineVueD), 1);
    EXPECT_EQ(s.r.get(fld::ExamYeux), 1);  // the retina seen is an eye answer
    EXPECT_EQ(p.ticked, (Names{"CheckBox23", "CheckBox21", "RadioButton1"}));
    EXPECT_TRUE(p.findings.empty());

    Sheet g;  // left eye: maculopathy alone ticks retina seen
    g.r.set(fld::MaculopathieG, 1);
    g.r.set(fld::RetinoNonProlifG, 1);
    p = Panel15Click(g.r, g.e, g.c);
    EXPECT_EQ(p.ticked, (Names{"CheckBox59", "CheckBox57"}));
    EXPECT_EQ(g.r.get(fld::RetinopathieG), 1);
}

TEST(Page2Checks, EyeContradictionsAreErrorsPlacedOnTheRight) {
    Sheet s;
    s.r.set(fld::RetinoPreprolifD, 1);
    s.r.set(fld::RetinopathieD, 2);
    s.r.set(fld::MaculopathieD, 1);
    s.r.set(fld::RetineVueD, 2);
    s.r.set(fld::RetinoNonProlifG, 1);
    s.r.set(fld::RetinopathieG, 2);
    s.r.set(fld::RetinopathieG, 2);
    s.r.set(fld::MaculopathieG, 1);
    s.r.set(fld::RetineVueG, 2);
    s.r.set(fld::ExamYeux, 2);
    auto p = Panel15Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Rétinopathie droite oui ou non ?", "Rétine droite vue oui ou non ?",
                                 "Rétinopathie gauche oui ou non ?", "Rétine gauche vue oui ou non ?",
                                 "Yeux examinés oui ou non ?"}));
    for (const auto& f : p.findings) {
        EXPECT_EQ(f.kind, Kind::Error);
        EXPECT_EQ(f.pos, kEye);
    }
    EXPECT_TRUE(p.ticked.empty());
    EXPECT_EQ(s.etat(), 2);
}

TEST(Page2Checks, MissingExaminations) {
    Sheet s;
    s.r.set(fld::ExamYeux, 255);
    s.r.set(fld::ExamPieds, 255);
    auto p = Panel15Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Pas d'examen récent des yeux ?", "Pas d'examen récent des pieds ?"}));
    EXPECT_FALSE(p.findings[0].pos);
    EXPECT_FALSE(p.findings[1].pos);

    Sheet f;  // a foot answer gives the examination; a "non" contradicts it
    f.r.set(fld::ExamPieds, 255);
    f.r.set(fld::PontageD, 2);
    p = Panel15Click(f.r, f.e, f.c);
    EXPECT_EQ(p.ticked, Names{"RadioButton3"});
    EXPECT_EQ(f.r.get(fld::ExamPieds), 1);
    f.r.set(fld::ExamPieds, 2);
    p = Panel15Click(f.r, f.e, f.c);
    EXPECT_EQ(messages(p), Msgs{"Pieds examinés oui ou non ?"});
    EXPECT_EQ(p.findings[0].pos, kFoot);
}

TEST(Page2Checks, VisualAcuity) {
    Sheet s;
    s.e["Edit1"] = "10";
    s.e["Edit2"] = "10.4";
    EXPECT_TRUE(Panel15Click(s.r, s.e, s.c).findings.empty());
    EXPECT_EQ(s.r.get(fld::AcuiteG), 10);
    s.e["Edit1"] = "12";
    s.e["Edit2"] = "10,5";  // rounds half to even: 10
    EXPECT_EQ(messages(Panel15Click(s.r, s.e, s.c)), Msgs{"Acuité droite > 10 ?"});
    s.e["Edit2"] = "11";
    auto p = Panel15Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Acuité droite > 10 ?", "Acuité gauche > 10 ?"}));
    EXPECT_EQ(p.findings[1].pos, kEye);
    s.e["Edit1"] = "";
    s.e["Edit2"] = "-1";  // would read back as empty: refused instead
    p = Panel15Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), Msgs{"'-1' n'est pas une valeur entière correcte"});
    EXPECT_EQ(p.findings[0].kind, Kind::Conversion);
    EXPECT_EQ(s.r.get(fld::AcuiteD), 255);
}

TEST(Page2Checks, UnreadableAcuityStopsAfterTheFindingsBeforeIt) {
    Sheet s;
    s.r.set(fld::ExamYeux, kEmptyU8);
    s.r.set(fld::RetinoProlifD, 1);
    s.e["Edit1"] = "12";
    s.e["Edit2"] = "dix";
    auto p = Panel15Click(s.r, s.e, s.c);
    // The eye rules ran, the right acuity was read and tested, then the left entry stopped the routine.
    EXPECT_EQ(s.r.get(fld::RetinopathieD), 1);
    EXPECT_EQ(s.r.get(fld::ExamYeux), 1);
    EXPECT_EQ(s.r.get(fld::AcuiteD), 12);
    EXPECT_EQ(messages(p), (Msgs{"Acuité droite > 10 ?", "'dix' n'est pas une valeur en virgule flottante correcte"}));
    EXPECT_EQ(p.findings[1].kind, Kind::Conversion);
    EXPECT_EQ(s.r.get(fld::AcuiteG), 255);
}

TEST(Page2Checks, QualityOfLifeLimits) {
    Sheet s;
    s.e["Edit3"] = "30";
    s.e["Edit4"] = "30";
    s.e["Edit5"] = "100";
    s.e["Edit6"] = "100";
    s.e["Edit7"] = "10";
    s.e["Edit8"] = "10";
    EXPECT_TRUE(Panel16Click(s.r, s.e, s.c).findings.empty());
    s.e["Edit3"] = "31";
    s.e["Edit4"] = "31";
    s.e["Edit5"] = "101";
    s.e["Edit6"] = "101";
    s.e["Edit7"] = "11";
    s.e["Edit8"] = "11";
    auto p = Panel16Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), (Msgs{"Autant d'Hypoglycémies sévères ?", "Autant d'Hyperglycémies sévères ?",
                                 "Jours hospitalisation : Est-ce exact ?", "Jours Hors hosp.: Est-ce exact ?",
                                 "Injections avant: Est-ce exact ?", "Injections après: Est-ce exact ?"}));
    for (const auto& f : p.findings) EXPECT_EQ(f.kind, Kind::Error);
    EXPECT_EQ(s.etat(), 2);
}

TEST(Page2Checks, InjectionsWithoutInsulinYearAreOrangeAndLeaveTheState) {
    Sheet s;
    s.r.set(fld::AnDebutInsuline, -1);
    s.e["Edit7"] = "3";
    s.e["Edit8"] = "";
    auto p = Panel16Click(s.r, s.e, s.c);
    ASSERT_EQ(messages(p), Msgs{"Vérifiez l'insuline ?"});
    EXPECT_EQ(p.findings[0].kind, Kind::SilentWarning);
    EXPECT_TRUE(p.findings[0].errorIcon);
    EXPECT_EQ(p.colour, Colour::Orange);
    EXPECT_EQ(s.etat(), 0);

    Sheet t;  // the pen alone is enough
    t.r.set(fld::AnDebutInsuline, -1);
    t.r.set(fld::Stylo, 2);
    t.e["Edit7"] = "";
    t.e["Edit8"] = "";
    EXPECT_EQ(messages(Panel16Click(t.r, t.e, t.c)), Msgs{"Vérifiez l'insuline ?"});
}

TEST(Page2Checks, TreatmentDates) {
    Sheet s;
    s.r.set(fld::AnDebutComprimes, 1995);
    s.e["MaskEdit1"] = "1990";
    s.e["MaskEdit2"] = "1991";
    auto p = Panel17Click(s.r, s.e, s.c);
    EXPECT_EQ(messages(p), Msgs{"Date de début des comprimés ?"});  // reported once
    EXPECT_EQ(p.findings[0].kind, Kind::RedNotice);
    EXPECT_EQ(p.colour, Colour::Red);
    EXPECT_EQ(s.etat(), 0);
    EXPECT_EQ(s.r.get(fld::AnSulfamides), 1991);

    Sheet i;
    i.r.set(fld::AnDebutInsuline, -1);
    EXPECT_EQ(messages(Panel17Click(i.r, i.e, i.c)), Msgs{"Date de début d'insuline ?"});
    EXPECT_EQ(i.etat(), 0);

    Sheet n;  // the same year passes
    n.e["Edit9"] = "1990";
    EXPECT_TRUE(Panel17Click(n.r, n.e, n.c).findings.empty());
    EXPECT_TRUE(Panel18Click(n.r, n.e, n.c).findings.empty());
}

TEST(Page2Checks, WithoutReadingEntriesTheRecordIsTestedAsStored) {
    Sheet s;
    s.c.readPage2Entries = false;
    s.e["Edit1"] = "x";  // would be a conversion error if read
    s.e["Edit3"] = "x";
    s.e["MaskEdit1"] = "x";
    s.r.set(fld::AcuiteD, 12);
    s.r.set(fld::HypoNbAn, 40);
    auto all = runPage2(s.r, s.e, s.c);
    EXPECT_EQ(messages(all[1]), Msgs{"Acuité droite > 10 ?"});
    EXPECT_EQ(messages(all[2]), Msgs{"Autant d'Hypoglycémies sévères ?"});
    EXPECT_TRUE(all[3].findings.empty());
    EXPECT_EQ(s.r.get(fld::AnBiguanides), -1);
}

TEST(SaveRun, StartsAfreshAndRunsBothPagesInOrder) {
    Sheet s;
    s.r.set(fld::EtatFiche, 255);  // the save clears the annulled mark
    Entries page1;                 // nothing typed on page 1
    auto all = runSave(s.r, page1, s.e, s.c);
    ASSERT_EQ(all.size(), 13u);
    Names panels;
    for (const auto& p : all) panels.push_back(p.panel);
    EXPECT_EQ(panels, (Names{"Panel23", "Panel22", "Panel24", "Panel25", "Panel26", "Panel27", "Panel28", "Panel29",
                             "Panel13", "Panel15", "Panel16", "Panel17", "Panel18"}));
    EXPECT_EQ(s.etat(), 2);

    Sheet w;
    w.r.set(fld::EtatFiche, 2);
    w.r.set(fld::Sexe, 2);
    w.r.set(fld::Anerection, 1);
    all = runSave(w.r, page1, w.e, w.c);
    EXPECT_EQ(messages(all[8]), Msgs{"Vérifiez le sexe !"});
}
