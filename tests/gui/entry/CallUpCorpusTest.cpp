// A corpus of FIBs called up through the real record menu and entry pages,
// each saved with Yes: the stored record, the panels' colours and the errors
// shown must be what the core's call-up (checkAsSaved, `fibtool controle`)
// predicts for it.
#include <gtest/gtest.h>

#include <QPushButton>
#include <cstring>
#include <limits>

#include "FakeUi.h"
#include "entry/CallUp.h"
#include "entry/EntryTable.h"
#include "entry/Saisie1.h"
#include "entry/Saisie2.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"
#include "store/Menu3.h"
#include "store/Units.h"

using namespace pelo;
using pelo::test::AppFixture;

namespace {

QColor toColour(checks::Colour c) {
    switch (c) {
    case checks::Colour::Navy: return colours::Navy;
    case checks::Colour::Orange: return colours::Orange;
    case checks::Colour::Red: return colours::Red;
    }
    return {};
}

// The fields where two records differ, for a readable failure.
std::string differences(const FibRecord& a, const FibRecord& b) {
    std::string out;
    for (const FieldInfo& f : kFibFields)
        if (std::memcmp(a.bytes.data() + f.offset, b.bytes.data() + f.offset, f.width) != 0)
            out += std::string(" ") + f.name;
    return out;
}

struct Outcome {
    std::vector<QColor> panels;  // page 1's 8, then page 2's 5
    QStringList shown;           // messages of the save
};

// Writes `records` (the header first) as FIB.DAT, then calls each FIB up and saves it.
void callUpAndSaveEach(const std::vector<FibRecord>& records, int year, bool messagesOn) {
    AppFixture app;
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", records));
    CentreSession& s = app.centre;
    s.CurrentFile = "FIB.DAT";
    s.CurrentYear = year;
    app.run.Today = "08/12/2026";
    s.ShowCheckMessages = messagesOn;
    s.ReadPage2Entries = true;
    s.UnitCodes = units::fromHeader(records[0]);
    s.buffer = records[0];
    const auto count = static_cast<std::uint16_t>(records.size() - 1);
    const checks::Context ctx{year, s.UnitCodes, true};

    auto* menu = app.form<TTMenu3>();
    auto* page1 = app.form<TFIB1>();
    auto* page2 = app.form<TFIB2>();
    std::vector<QString> panelNames;
    for (const auto& p : entry::page1Panels()) panelNames.push_back(p.name);
    for (const auto& p : entry::page2Panels()) panelNames.push_back(p.name);
    Outcome got;
    app.fake.onModal["TFIB1"] = [&](QDialog* d) {
        app.fake.messages.clear();
        page1->BitBtn11Click();
        got.shown = app.fake.texts();
        got.panels.clear();
        for (std::size_t i = 0; i < panelNames.size(); ++i)
            got.panels.push_back((i < 8 ? static_cast<EntryPage*>(page1) : page2)->colourOf(panelNames[i]));
        return d->result();
    };

    for (std::uint16_t k = 1; k <= count; ++k) {
        s.CurrentFib = k;
        s.SavedFibCount = count;
        menu->AppelFib();

        const checks::SavedCheck want = checks::checkAsSaved(records[k], ctx);
        bool readable = true;
        for (const auto& p : want.panels)
            for (const auto& f : p.findings) readable = readable && f.kind != checks::Kind::Conversion;
        FibRecord saved;
        ASSERT_FALSE(recordfile::readFib("FIB.DAT", k, saved));
        if (readable) {
            EXPECT_EQ(s.CurrentFib, count);
            EXPECT_EQ(saved, want.record) << "FIB " << k << ":" << differences(saved, want.record);
        } else {
            // A sheet with an unreadable entry is not saved: it stays on screen to be corrected.
            EXPECT_EQ(s.CurrentFib, k);
            EXPECT_EQ(saved, records[k]) << "FIB " << k;
        }

        // The save runs its checks silently: only unreadable entries are told.
        std::vector<QColor> expectPanels;
        QStringList conversions;
        for (const auto& p : want.panels) {
            expectPanels.push_back(toColour(p.colour));
            for (const auto& f : p.findings)
                if (f.kind == checks::Kind::Conversion) conversions << QString::fromStdString(f.message);
        }
        conversions << "Sauvegarde de la Fiche ?";
        EXPECT_EQ(got.shown, conversions) << "FIB " << k;
        EXPECT_EQ(got.panels, expectPanels) << "FIB " << k;
    }
}

// Odd values that the checks' own tests try, laid over demonstration FIBs.
std::vector<FibRecord> edgeCases(const FibRecord& header, const std::vector<FibRecord>& demo) {
    std::vector<FibRecord> out{header};
    auto add = [&](std::size_t from, auto change) {
        FibRecord r = demo[1 + from % (demo.size() - 1)];
        change(r);
        r.set(fld::NumFib, static_cast<std::uint16_t>(out.size()));
        out.push_back(r);
    };
    add(0, [](FibRecord& r) {
        r.set(fld::Cigarettes, 12345);
        r.set(fld::Tabac, 1);
    });  // longer than its entry
    add(1, [](FibRecord& r) {
        r.set(fld::GrossFC, 200);
        r.set(fld::Sexe, 2);
    });
    add(2, [](FibRecord& r) {
        r.set(fld::MoisNaissance, 13);
        r.set(fld::AnNaissance, 1800);
    });
    add(3, [](FibRecord& r) {
        r.set(fld::Sexe, 7);
        r.set(fld::TypeDiabete, 0);
    });  // codes no box shows
    add(4, [](FibRecord& r) {
        r.set(fld::Sexe, 255);
        r.set(fld::ConsultHospit, 255);
        r.set(fld::Motif, 9);
    });
    add(5, [](FibRecord& r) {
        r.set(fld::AutoSurveillance, 1);
        r.set(fld::GlycemiesSemaine, -1);
    });
    add(6, [](FibRecord& r) {
        r.set(fld::AutoSurveillance, 2);
        r.set(fld::GlycemiesSemaine, 14);
    });
    add(7, [](FibRecord& r) {
        r.set(fld::Sexe, 2);
        r.set(fld::Anerection, 1);
        r.set(fld::ExamYeux, 1);
    });
    add(8, [](FibRecord& r) {
        r.set(fld::ExamYeux, 255);
        r.set(fld::PhotocoagD, 1);
    });
    add(9, [](FibRecord& r) {
        r.set(fld::ExamYeux, 2);
        r.set(fld::CataracteG, 2);
    });
    add(10, [](FibRecord& r) { r.set(fld::EtatFiche, kAnnulled); });
    add(11, [](FibRecord& r) {
        r.set(fld::AcuiteD, 200);
        r.set(fld::AcuiteG, 0);
    });
    add(12, [](FibRecord& r) {
        r.set(fld::Taille, 1);
        r.set(fld::Poids, 400);
    });
    add(13, [](FibRecord& r) {
        r.set(fld::HbA1c, 7.005f);
        r.set(fld::Cholesterol, 123456.0f);
    });
    add(14, [](FibRecord& r) {
        r.set(fld::Triglycerides, -0.999f);
        r.set(fld::TrigAJeun, 3);
    });
    add(15, [](FibRecord& r) {
        r.set(fld::Cecite, 3);
        r.set(fld::InsufRenale, 4);
        r.set(fld::Infarctus, 3);
    });
    add(16, [](FibRecord& r) {
        r.set(fld::Biguanides, 3);
        r.set(fld::AnBiguanides, 2030);
        r.set(fld::InsPompe, 2);
    });
    add(17, [](FibRecord& r) {
        r.set(fld::InjAvant, 99);
        r.set(fld::HypoNbAn, 5000);
        r.set(fld::JoursHosp, -5);
    });
    add(18, [](FibRecord& r) {
        r.set(fld::AnDebutDiabete, -1);
        r.set(fld::AnDebutComprimes, -1);
        r.set(fld::AnDebutInsuline, -1);
    });
    add(19, [](FibRecord& r) { r.set(fld::GlyJeun, std::numeric_limits<float>::quiet_NaN()); });
    add(20, [](FibRecord& r) {
        r.setInitiale("");
        r.set(fld::DiabeteFamille, 2);
    });
    add(21, [](FibRecord& r) {
        r.set(fld::EtatFiche, 2);
        r.set(fld::TypeDiabete, 1);
        r.set(fld::AnDebutInsuline, -1);
    });
    add(22, [](FibRecord& r) { r.setDate("8/1/2026"); });
    add(23, [](FibRecord& r) { r.setDate(""); });
    add(24, [](FibRecord& r) { r.setDate(" 8/ 1/2026"); });
    CentreHeader& h = out[0];
    h.setNbFiches(static_cast<std::uint16_t>(out.size() - 1));
    return out;
}

}  // namespace

TEST(CallUpCorpus, DemoFibsSavedAsTheCoreCallUpPredicts) {
    DemoCentre c;
    c.year = 2026;
    callUpAndSaveEach(demoRecords(c, 380, 1998), 2026, false);
    DemoCentre grams;  // a centre in g/l
    grams.year = 2026;
    grams.units = {4, 4, 3, 3, 4, 4, 4};
    callUpAndSaveEach(demoRecords(grams, 120, 7), 2026, true);
}

TEST(CallUpCorpus, EdgeCasesSavedAsTheCoreCallUpPredicts) {
    DemoCentre c;
    c.year = 2026;
    const auto demo = demoRecords(c, 40, 42);
    callUpAndSaveEach(edgeCases(demo[0], demo), 2026, true);
}

TEST(CallUpCorpus, ControlFileSavedAsTheCoreCallUpPredicts) {
    RecordReader reader;
    ASSERT_FALSE(reader.open(PELO_TEST_DATA "/CONTROLE.DAT"));
    std::vector<FibRecord> records{reader.header()};
    while (const FibRecord* fib = reader.next(nullptr)) records.push_back(*fib);
    reader.close();
    ASSERT_GT(records.size(), 5u);
    callUpAndSaveEach(records, 2026, true);
}
