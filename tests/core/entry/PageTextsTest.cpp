#include <gtest/gtest.h>

#include "entry/PageTexts.h"

using namespace pelo::pages;

namespace {
bool has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }
}  // namespace

TEST(HelpTexts, EveryPageOpensWithTheColourLegend) {
    const std::string legend = std::string("Bandeau orange : zone incomplète\n") +
                               "Bandeau rouge   : donnée essentielle manquante ou incohérence détectée\n";
    for (int p : helpPageNumbers()) {
        EXPECT_FALSE(helpCaption(p).empty()) << p;
        EXPECT_EQ(helpText(p).rfind(legend, 0), 0u) << p;
        EXPECT_GT(helpText(p).size(), legend.size() + 100) << p;
    }
    EXPECT_EQ(helpPageNumbers().size(), 13u);
    EXPECT_EQ(helpText(9), "");
    EXPECT_EQ(helpCaption(15), "");
}

TEST(HelpTexts, CaptionsOfTheSections) {
    EXPECT_EQ(helpCaption(1), "Données de base");
    EXPECT_EQ(helpCaption(2), "Consultation / Hospitalisation");
    EXPECT_EQ(helpCaption(4), "Facteurs de risques");
    EXPECT_EQ(helpCaption(7), "Données");
    EXPECT_EQ(helpCaption(8), "St-Vincent");
    EXPECT_EQ(helpCaption(10), "Symptômes");
    EXPECT_EQ(helpCaption(12), "Qualité de vie");
    EXPECT_EQ(helpCaption(14), "Traitements associés");
}

TEST(HelpTexts, TheFiguresTheSheetDependsOn) {
    EXPECT_TRUE(has(helpText(1), "4 chiffres"));
    EXPECT_TRUE(has(helpText(1), "initiale"));
    EXPECT_TRUE(has(helpText(2), "Un seul motif"));
    EXPECT_TRUE(has(helpText(3), "28 semaines"));
    EXPECT_TRUE(has(helpText(3), "12 derniers mois"));
    EXPECT_TRUE(has(helpText(4), "3 derniers mois"));
    EXPECT_TRUE(has(helpText(4), "au moins un mois"));
    EXPECT_TRUE(has(helpText(4), "10 g"));
    EXPECT_TRUE(has(helpText(5), "semaine habituelle"));
    EXPECT_TRUE(has(helpText(6), "45 minutes"));
    EXPECT_TRUE(has(helpText(7), "5 minutes"));
    EXPECT_TRUE(has(helpText(7), "µg/mn se multiplie par 1,5"));
    EXPECT_TRUE(has(helpText(7), "« à jeun »"));
    EXPECT_TRUE(has(helpText(8), "1,5/10"));
    EXPECT_TRUE(has(helpText(8), "24 heures"));
    EXPECT_TRUE(has(helpText(11), "dilatation"));
    EXPECT_TRUE(has(helpText(12), "une semaine près"));
    EXPECT_TRUE(has(helpText(13), "première prescription"));
    EXPECT_TRUE(has(helpText(14), "HTA"));
}

TEST(TextPages, FiveTitledPagesOfTheProgramme) {
    EXPECT_EQ(textPageTitle(3), "Recommandations de St-VINCENT");
    EXPECT_EQ(textPageTitle(4), "BUREAU");
    EXPECT_EQ(textPageTitle(5), "SPONSORS");
    EXPECT_EQ(textPageTitle(6), "TELMORIS en EUROPE");
    EXPECT_EQ(textPageTitle(7), "HISTORIQUE");
    for (int p = 3; p <= 7; ++p) EXPECT_GT(textPageText(p).size(), 300u) << p;
    EXPECT_EQ(textPageText(2), "");
    EXPECT_EQ(textPageText(8), "");
}
