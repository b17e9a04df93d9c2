// The tables of the entry pages: the order of their loading, their Tab places
// and what loading a choice code does beyond writing it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "entry/EntryTable.h"

using namespace pelo;
using namespace pelo::entry;

namespace {

std::vector<std::string> fieldOrder(std::span<const Control> page) {
    std::vector<std::string> out;
    for (const Control& c : page) out.push_back(c.field.name);
    return out;
}

const Control& rowOf(std::span<const Control> page, const char* field) {
    for (const Control& c : page)
        if (std::string(c.field.name) == field) return c;
    throw std::runtime_error(field);
}

}  // namespace

TEST(EntryTable, PageOneLoadsInTheOrderOfTheSheet) {
    // The silent checks run by the contact and self-monitoring codes must see
    // the identification, pregnancy and risk entries already loaded.
    const std::vector<std::string> expected{"DateFib",
                                            "Initiale",
                                            "MoisNaissance",
                                            "AnNaissance",
                                            "Sexe",
                                            "TypeDiabete",
                                            "AnDebutDiabete",
                                            "AnDebutComprimes",
                                            "AnDebutInsuline",
                                            "ConsultHospit",
                                            "Motif",
                                            "GrossEnfantNormal",
                                            "GrossFC",
                                            "GrossMalformation",
                                            "GrossMortPerinatale",
                                            "DiabeteFamille",
                                            "Tabac",
                                            "Alcool",
                                            "Cigarettes",
                                            "AlcoolGrSemaine",
                                            "AutoSurveillance",
                                            "GlycemiesSemaine",
                                            "GlycosuriesSemaine",
                                            "EducAlimentation",
                                            "EducAutosurveillance",
                                            "EducSoinsPieds",
                                            "EducHypoglycemies",
                                            "EducComplications",
                                            "EducAjustInsuline",
                                            "Association",
                                            "Poids",
                                            "Taille",
                                            "TourTaille",
                                            "TourHanches",
                                            "TaSyst",
                                            "TaDiast",
                                            "GlyJeun",
                                            "HbA1c",
                                            "Fructosamine",
                                            "Creatinine",
                                            "Microalb",
                                            "Proteinurie",
                                            "Cholesterol",
                                            "Hdl",
                                            "Triglycerides",
                                            "TrigAJeun",
                                            "Cecite",
                                            "Infarctus",
                                            "Avc",
                                            "InsufRenale",
                                            "AmputSup",
                                            "AmputInf"};
    EXPECT_EQ(fieldOrder(page1Controls()), expected);
}

TEST(EntryTable, PageTwoLoadsInRecordOrderFromSymptomsToAssociatedTreatments) {
    const auto page = page2Controls();
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.front().field.offset, fld::HypoTaOrtho.offset);
    EXPECT_EQ(page.back().field.offset, fld::TrtAutre.offset);
    for (std::size_t i = 1; i < page.size(); ++i)
        EXPECT_LT(page[i - 1].field.offset, page[i].field.offset) << page[i].name;
}

TEST(EntryTable, NamesAndTabPlacesAreOnePerControl) {
    for (auto page : {page1Controls(), page2Controls()}) {
        std::set<std::string> names;
        std::set<int> places;
        for (const Control& c : page) {
            const std::size_t n = c.isChoice() ? c.boxCount() : 1;
            EXPECT_EQ(c.isChoice(), c.family != Family::None) << c.name;
            for (std::size_t i = 0; i < n; ++i) {
                EXPECT_TRUE(names.insert(c.isChoice() ? c.boxes[i] : c.name).second) << c.name;
                // A group's boxes take the places after its first one.
                EXPECT_TRUE(places.insert(c.tab + int(i)).second) << c.name;
            }
            if (!c.isChoice()) {
                EXPECT_STRNE(c.accessible, "") << c.name;
            }
        }
    }
}

// Each control that writes a field is one of its field's row, and the checks
// find the entries and boxes by field.
TEST(EntryTable, ControlsAndFieldsAgree) {
    for (int page : {1, 2}) {
        const auto rows = page == 1 ? page1Controls() : page2Controls();
        for (const Item& it : page == 1 ? page1Items() : page2Items()) {
            EXPECT_EQ(it.writes(), it.tab >= 0) << it.name;
            if (!it.writes()) continue;
            const Control& row = rowOf(rows, it.field.name);
            EXPECT_STREQ(row.isChoice() ? row.boxes[std::size_t(it.code - 1)] : row.name, it.name);
            EXPECT_EQ(it.widget == Widget::Entry, !row.isChoice()) << it.name;
        }
    }
    EXPECT_STREQ(entryName(ref(fld::AnNaissance)), "Edit5");
    EXPECT_STREQ(entryName(ref(fld::AcuiteD)), "Edit1");
    EXPECT_STREQ(boxName(ref(fld::Tabac), 1), "CheckBox2");
    EXPECT_STREQ(boxName(ref(fld::RetineVueG), 1), "CheckBox57");
    EXPECT_STREQ(entryName(ref(fld::Sexe)), "");
}

TEST(EntryTable, TextsOfTheLoadedEntries) {
    FibRecord r = emptyFibFromHeader(headerTemplate(), "08/12/2026");
    r.setInitiale("m");
    r.set(fld::Cigarettes, 12345);
    r.set(fld::AcuiteD, 7);
    r.set(fld::Microalb, 12.0f);
    const auto p1 = loadedEntries(page1Controls(), r);
    EXPECT_EQ(p1.at("MaskEdit19"), "08/12/2026");
    EXPECT_EQ(p1.at("Edit3"), "M");
    EXPECT_EQ(p1.at("Edit10"), "12345");  // never cut to the entry's length
    EXPECT_EQ(p1.at("MaskEdit17"), "12.00");
    EXPECT_EQ(p1.at("MaskEdit13"), "");  // -1.0
    EXPECT_EQ(p1.count("RadioButton10"), 0u);
    const auto p2 = loadedEntries(page2Controls(), r);
    EXPECT_EQ(p2.size(), 12u);
    EXPECT_EQ(p2.at("Edit1"), "7");
    EXPECT_EQ(p2.at("Edit9"), "");
}

TEST(EntryTable, LoadingClicksOfTheChoiceCodes) {
    const auto p1 = page1Controls(), p2 = page2Controls();
    auto panels = [](int page, const char* field, std::uint8_t code) -> std::vector<int> {
        const Control& c = rowOf(page == 1 ? page1Controls() : page2Controls(), field);
        auto click = loadingClick(page, c, code);
        return click ? click->checks.panels : std::vector<int>{-1};
    };
    // Contact: the identification first; self-monitoring "Oui" also, "Non" without it.
    EXPECT_EQ(panels(1, "ConsultHospit", 1), (std::vector<int>{0}));
    EXPECT_EQ(panels(1, "ConsultHospit", 2), (std::vector<int>{0}));
    EXPECT_EQ(panels(1, "AutoSurveillance", 1), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(panels(1, "AutoSurveillance", 2), (std::vector<int>{1, 2, 3}));
    // No box for the code, or a click that only writes it: nothing more.
    EXPECT_EQ(panels(1, "ConsultHospit", 3), (std::vector<int>{-1}));
    EXPECT_EQ(panels(1, "ConsultHospit", 255), (std::vector<int>{-1}));
    EXPECT_EQ(panels(1, "Sexe", 1), (std::vector<int>{-1}));
    EXPECT_EQ(panels(1, "Tabac", 1), (std::vector<int>{-1}));
    // The eye examination "oui" tests the symptoms, with messages as set.
    EXPECT_EQ(panels(2, "ExamYeux", 1), (std::vector<int>{0}));
    EXPECT_FALSE(loadingClick(2, rowOf(p2, "ExamYeux"), 1)->checks.silent);
    EXPECT_TRUE(loadingClick(1, rowOf(p1, "ConsultHospit"), 1)->checks.silent);
    EXPECT_EQ(panels(2, "ExamYeux", 2), (std::vector<int>{-1}));
    EXPECT_EQ(panels(2, "ExamPieds", 1), (std::vector<int>{-1}));
    EXPECT_EQ(loadingClick(1, rowOf(p1, "AutoSurveillance"), 2)->box, 1u);
    // The panels the indexes stand for.
    EXPECT_STREQ(page1Panels()[1].name, "Panel22");
    EXPECT_STREQ(page2Panels()[0].name, "Panel13");
}

TEST(EntryTable, DateThroughTheEntrysMask) {
    EXPECT_EQ(maskedDate("08/12/2026"), "08/12/2026");
    EXPECT_EQ(maskedDate("8/1/2026"), "8 /1 /2026");    // a separator typed early
    EXPECT_EQ(maskedDate(" 8/ 1/2026"), " 8/ 1/2026");  // day and month may stay blank
    EXPECT_EQ(maskedDate("08/12/20 6"), "08/12/206 ");  // the year's places take digits only
    EXPECT_EQ(maskedDate(""), "  /  /    ");
    EXPECT_EQ(maskedDate("é8-1x2026"), "81/20/26  ");
    EXPECT_EQ(strippedDate("8 /1 /2026"), "8/1/2026");
    EXPECT_EQ(strippedDate("  /  /    "), "//");
}
