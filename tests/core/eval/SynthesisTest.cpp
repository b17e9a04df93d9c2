#include <gtest/gtest.h>

#include <limits>

#include <algorithm>

#include "SampleFibs.h"
#include "TestSupport.h"
#include "eval/Bands.h"
#include "eval/Charts.h"
#include "eval/Synthesis.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"

using namespace pelo;
using namespace pelo::eval;

namespace {

constexpr int kYear = 2026;

FibRecord blankFib() {
    FibRecord f = emptyFibFromHeader(headerTemplate(), "01/01/2026");
    f.set(fld::EtatFiche, std::uint8_t(0));
    return f;
}

BandParams params(std::uint16_t chol = 3, std::uint16_t trig = 3) {
    std::array<std::uint16_t, 7> u{3, 3, 3, 3, chol, 3, trig};
    return centreParams(kYear, u);
}

BandCounts countsOf(const FibRecord& f, const BandParams& p = params()) {
    BandCounts c{};
    countFib(BandView::of(f), p, c);
    return c;
}

// The counters a FIB falls in, among the given range.
std::vector<int> hits(const FibRecord& f, int from, int to, const BandParams& p = params()) {
    const BandCounts c = countsOf(f, p);
    std::vector<int> out;
    for (int i = from; i <= to; ++i)
        if (c[i]) out.push_back(i);
    return out;
}

using V = std::vector<int>;

FibRecord withF32(Field<FieldType::F32> f, float v) {
    FibRecord r = blankFib();
    r.set(f, v);
    return r;
}

FibRecord withTa(int s, int d) {
    FibRecord r = blankFib();
    r.set(fld::TaSyst, s);
    r.set(fld::TaDiast, d);
    return r;
}

// Writes FIB.DAT in the working folder with the FIBs numbered 1..n.
void writeFile(std::vector<FibRecord> fibs, std::uint16_t centre = 1234) {
    std::vector<FibRecord> all{test::sampleHeader(centre, static_cast<std::uint16_t>(fibs.size()))};
    for (std::size_t i = 0; i < fibs.size(); ++i) {
        fibs[i].set(fld::NumFib, static_cast<std::uint16_t>(i + 1));
        all.push_back(fibs[i]);
    }
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", all));
}

}  // namespace

TEST(BandTable, LinesFallWhereTheListExpectsThem) {
    const int headings[] = {2,   9,   14,  19,  24,  29,  34,  39,  43,  49,  54,  59,  63,
                            69,  73,  82,  90,  98,  104, 117, 123, 126, 137, 148, 151, 159,
                            167, 172, 177, 183, 189, 195, 202, 209, 216, 224, 232, 241, 250};
    for (int s = 0; s < kSectionCount; ++s) EXPECT_EQ(headingLine(s), headings[s]) << kSections[s].heading;
    const auto& t = lineTable();
    EXPECT_EQ(t[0].kind, LineInfo::Title);
    for (int blank : {1, 8, 103, 114, 116, 249, 263}) EXPECT_EQ(t[blank].kind, LineInfo::Blank) << blank;
    // A few lines whose counters are not in sequence.
    auto counterAt = [&](int line) { return kSections[t[line].section].bands[t[line].band].counter; };
    EXPECT_EQ(counterAt(115), 75);
    EXPECT_EQ(counterAt(200), 134);
    EXPECT_EQ(counterAt(204), 137);
    EXPECT_EQ(counterAt(210), 136);
    EXPECT_EQ(counterAt(222), 145);
    EXPECT_EQ(counterAt(230), 146);
    EXPECT_EQ(counterAt(242), 158);
    EXPECT_EQ(counterAt(248), 170);
    EXPECT_EQ(counterAt(262), 182);
}

TEST(Bands, HbA1cEdges) {
    EXPECT_EQ(hits(withF32(fld::HbA1c, 12.0f), 0, 4), V{3});
    EXPECT_EQ(hits(withF32(fld::HbA1c, 12.01f), 0, 4), V{4});
    EXPECT_EQ(hits(withF32(fld::HbA1c, 6.5f), 0, 4), V{1});
    EXPECT_EQ(hits(withF32(fld::HbA1c, 7.99f), 0, 4), V{1});
    EXPECT_EQ(hits(withF32(fld::HbA1c, 8.0f), 0, 4), V{2});
    EXPECT_EQ(hits(withF32(fld::HbA1c, 0.1f), 0, 4), V{0});
    EXPECT_EQ(hits(withF32(fld::HbA1c, 0.0f), 0, 4), V{});
    EXPECT_EQ(hits(withF32(fld::HbA1c, -1.0f), 0, 4), V{});
    // The empty value shows in the quality section only.
    EXPECT_EQ(hits(withF32(fld::HbA1c, -1.0f), 178, 178), V{178});
    EXPECT_EQ(hits(withF32(fld::HbA1c, 0.0f), 178, 178), V{});
}

TEST(Bands, BloodPressureEdges) {
    EXPECT_EQ(hits(withTa(150, 80), 5, 7), V{6});
    EXPECT_EQ(hits(withTa(170, 95), 5, 7), V{6});
    EXPECT_EQ(hits(withTa(170, 105), 5, 7), V{7});
    EXPECT_EQ(hits(withTa(140, 90), 5, 7), V{5});
    EXPECT_EQ(hits(withTa(140, 91), 5, 7), V{6});
    EXPECT_EQ(hits(withTa(161, 100), 5, 7), V{6});
    EXPECT_EQ(hits(withTa(0, 80), 5, 7), V{});
    EXPECT_EQ(hits(withTa(-1, 80), 181, 181), V{181});
    EXPECT_EQ(hits(withTa(120, 80), 181, 181), V{});
}

TEST(Bands, BodyMassEdges) {
    auto bmi = [](int w, int h) {
        FibRecord r = blankFib();
        r.set(fld::Poids, w);
        r.set(fld::Taille, h);
        return hits(r, 8, 10);
    };
    EXPECT_EQ(bmi(30, 100), V{9});   // exactly 30
    EXPECT_EQ(bmi(120, 200), V{9});  // exactly 30 again, through the 0.01 factor
    EXPECT_EQ(bmi(25, 100), V{9});   // exactly 25
    EXPECT_EQ(bmi(24, 100), V{8});
    EXPECT_EQ(bmi(31, 100), V{10});
    EXPECT_EQ(bmi(70, 0), V{});
    EXPECT_EQ(bmi(0, 170), V{});
    EXPECT_EQ(bmi(-1, 170), V{});
}

TEST(Bands, LipidsInEveryUnit) {
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 7.5f), 11, 13), V{12});
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 6.5f), 11, 13), V{12});
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 7.51f), 11, 13), V{13});
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 0.0f), 11, 13), V{});
    // g/l: 2.5 is 6.45 mmol/l; 2.52 is 6.5016.
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 2.5f), 11, 13, params(4)), V{11});
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 2.52f), 11, 13, params(4)), V{12});
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 2.5f), 11, 13, params(3)), V{11});
    // mg/dl: 250 is 6.45, 291 is 7.5078.
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 250.0f), 11, 13, params(5)), V{11});
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 291.0f), 11, 13, params(5)), V{13});
    // An unknown unit code: as stored.
    EXPECT_EQ(hits(withF32(fld::Cholesterol, 250.0f), 11, 13, params(65535)), V{13});
    EXPECT_EQ(hits(withF32(fld::Triglycerides, 1.8f), 14, 16), V{15});
    EXPECT_EQ(hits(withF32(fld::Triglycerides, 2.5f), 14, 16), V{15});
    EXPECT_EQ(hits(withF32(fld::Triglycerides, 1.79f), 14, 16), V{14});
    // g/l: 2.2 x 1.14 = 2.508; mg/dl: 157 x 0.0114 = 1.7898.
    EXPECT_EQ(hits(withF32(fld::Triglycerides, 2.2f), 14, 16, params(3, 4)), V{16});
    EXPECT_EQ(hits(withF32(fld::Triglycerides, 157.0f), 14, 16, params(3, 5)), V{14});
}

TEST(Bands, MicroalbuminuriaCountsZeroButNotEmpty) {
    EXPECT_EQ(hits(withF32(fld::Microalb, 0.0f), 17, 19), V{17});
    EXPECT_EQ(hits(withF32(fld::Microalb, 30.0f), 17, 19), V{18});
    EXPECT_EQ(hits(withF32(fld::Microalb, 300.0f), 17, 19), V{18});
    EXPECT_EQ(hits(withF32(fld::Microalb, 300.5f), 17, 19), V{19});
    const FibRecord empty = withF32(fld::Microalb, -1.0f);
    EXPECT_EQ(hits(empty, 17, 19), V{});
    EXPECT_EQ(hits(empty, 182, 182), V{182});
}

// A NaN or an infinity stored in a laboratory value is no measure: in no band
// of its section and not among the missing values either.
TEST(Bands, NonFiniteValuesAreCountedNowhere) {
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (float x : odd) {
        const BandCounts blank = countsOf(blankFib());
        for (auto f : {fld::HbA1c, fld::Cholesterol, fld::Triglycerides, fld::Microalb}) {
            BandCounts c = countsOf(withF32(f, x));
            // Only the "missing" band of that field differs from a blank FIB: it drops to 0.
            int differences = 0;
            for (int k = 0; k < kBandCount; ++k) differences += c[k] != blank[k];
            EXPECT_EQ(differences, 1) << x;
            EXPECT_EQ(hits(withF32(f, x), 0, 19), V{}) << x;
        }
    }
}

TEST(Bands, AgesAndDurationsFromTheYearOfTheCount) {
    auto born = [](int y) {
        FibRecord r = blankFib();
        r.set(fld::AnNaissance, y);
        return hits(r, 25, 28);
    };
    EXPECT_EQ(born(1899), V{});
    EXPECT_EQ(born(kYear + 1), V{});
    EXPECT_EQ(born(kYear), V{25});
    EXPECT_EQ(born(kYear - 35), V{25});
    EXPECT_EQ(born(kYear - 36), V{26});
    EXPECT_EQ(born(kYear - 75), V{27});
    EXPECT_EQ(born(kYear - 76), V{28});
    EXPECT_EQ(born(1900), V{28});
    auto since = [](int y) {
        FibRecord r = blankFib();
        r.set(fld::AnDebutDiabete, y);
        return hits(r, 37, 40);
    };
    EXPECT_EQ(since(kYear - 5), V{37});
    EXPECT_EQ(since(kYear - 6), V{38});
    EXPECT_EQ(since(kYear - 15), V{39});
    EXPECT_EQ(since(kYear - 16), V{40});
    EXPECT_EQ(since(1899), V{});
    EXPECT_EQ(since(kYear + 1), V{});
}

TEST(Bands, StVincentEventsRecentAndOld) {
    FibRecord r = blankFib();
    r.set(fld::Infarctus, std::uint8_t(3));
    EXPECT_EQ(hits(r, 50, 61), (V{51, 57}));
    r.set(fld::Infarctus, std::uint8_t(4));
    EXPECT_EQ(hits(r, 50, 61), V{});
    // Blindness and renal failure hold 1 or 2; a 3 counts in neither.
    r.set(fld::Cecite, std::uint8_t(3));
    r.set(fld::InsufRenale, std::uint8_t(3));
    EXPECT_EQ(hits(r, 50, 61), V{});
    r.set(fld::InsufRenale, std::uint8_t(1));
    r.set(fld::AmputInf, std::uint8_t(2));
    EXPECT_EQ(hits(r, 50, 61), (V{53, 61}));
}

TEST(Bands, GroupsTreatmentsAndInjections) {
    FibRecord r = blankFib();
    r.set(fld::TypeDiabete, std::uint8_t(2));
    r.set(fld::AnNaissance, 1950);
    r.set(fld::AnDebutDiabete, 1990);  // onset at 40
    EXPECT_EQ(hits(r, 32, 36), V{33});
    r.set(fld::InjApres, std::uint8_t(2));  // on insulin now, first time
    EXPECT_EQ(hits(r, 32, 36), (V{34, 36}));
    EXPECT_EQ(hits(r, 62, 65), (V{62, 64}));
    EXPECT_EQ(hits(r, 126, 134), V{131});
    r.set(fld::InjAvant, std::uint8_t(1));
    EXPECT_EQ(hits(r, 62, 65), V{65});
    EXPECT_EQ(hits(r, 126, 134), (V{126, 131}));
    r.set(fld::InjAvant, std::uint8_t(0));  // 0 injections count in no band
    r.set(fld::InjApres, std::uint8_t(7));
    r.set(fld::Stylo, std::uint8_t(1));
    EXPECT_EQ(hits(r, 126, 134), (V{133, 134}));
    // No year of onset: no group.
    r.set(fld::AnDebutDiabete, -1);
    EXPECT_EQ(hits(r, 32, 34), V{});
    // Before and after treatments: 3 counts in both sections.
    r.set(fld::Sulfamides, std::uint8_t(3));
    r.set(fld::InsPompe, std::uint8_t(1));
    r.set(fld::TrtAutre, std::uint8_t(2));
    EXPECT_EQ(hits(r, 135, 170), (V{139, 140, 145, 170}));
    EXPECT_EQ(hits(r, 35, 35), V{35});
    // Extreme stored years do not overflow the age at onset.
    r.set(fld::AnDebutDiabete, 2147483647);
    r.set(fld::AnNaissance, -2147483647 - 1);
    r.set(fld::TypeDiabete, std::uint8_t(1));
    EXPECT_EQ(hits(r, 32, 34), V{});
}

TEST(Bands, QualitySection) {
    const FibRecord r = blankFib();
    // A FIB with nothing answered shows in every band of the quality section.
    EXPECT_EQ(hits(r, 171, 182), (V{171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182}));
    BandParams pooled = params();
    pooled.waistForC176 = true;
    FibRecord w = blankFib();
    w.set(fld::TourTaille, 90);
    EXPECT_EQ(hits(w, 176, 176), V{176});
    EXPECT_EQ(hits(w, 176, 176, pooled), V{});
}

TEST(Bands, RulesReadTheWiderPooledRecordToo) {
    FibRecord f = blankFib();
    f.set(fld::HbA1c, 7.0f);
    f.set(fld::Infarctus, std::uint8_t(3));
    f.set(fld::PontageD, std::uint8_t(1));
    f.set(fld::TypeDiabete, std::uint8_t(2));
    // The pooled record: three 32-bit words, the date and the two bytes, then bytes 20.. of the FIB.
    std::array<std::uint8_t, 252> pooled{};
    std::copy(f.bytes.begin() + 20, f.bytes.end(), pooled.begin() + 24);
    for (int s = 0; s < kSectionCount; ++s)
        EXPECT_EQ(sectionMask(s, BandView(pooled.data() + 24), params()), sectionMask(s, BandView::of(f), params()))
            << kSections[s].heading;
}

TEST(SynthesisLines, CountAndPercentageAlignment) {
    EXPECT_EQ(bandLine(7, 40, "Hb <6.5"), std::string(10, ' ') + "7" + std::string(8, ' ') + "17.5%      Hb <6.5");
    EXPECT_EQ(bandLine(40, 40, "Pas de tour de hanches"),
              std::string(8, ' ') + "40" + std::string(6, ' ') + "100.0%      Pas de tour de hanches");
    EXPECT_EQ(bandLine(1, 16, "x"), std::string(10, ' ') + "1" + std::string(10, ' ') + "6.3%      x");
    EXPECT_EQ(bandLine(123, 1000, "x"), std::string(6, ' ') + "123" + std::string(8, ' ') + "12.3%      x");
    EXPECT_EQ(bandLine(0, 7, "x"), std::string(10, ' ') + "0" + std::string(10, ' ') + "0.0%      x");
    // 9.5 % rounds to 10 for the alignment (ties to even), 10.5 % to 10 too.
    EXPECT_EQ(bandLine(19, 200, "x"), std::string(8, ' ') + "19" + std::string(8, ' ') + "9.5%      x");
    EXPECT_EQ(bandLine(21, 200, "x"), std::string(8, ' ') + "21" + std::string(8, ' ') + "10.5%      x");
    // 99.96 %: the text says 100.0, the alignment sees 100. A fourth digit
    // takes the place of two of the leading spaces.
    EXPECT_EQ(bandLine(2499, 2500, "x"), std::string(4, ' ') + "2499" + std::string(6, ' ') + "100.0%      x");
}

TEST(SynthesisLines, PercentageReadBackFromALine) {
    LinePercent p;
    ASSERT_TRUE(readLinePercent(bandLine(7, 40, "Hb <6.5"), p));
    EXPECT_EQ(p.text, "17.5");
    EXPECT_EQ(p.height, 18);
    ASSERT_TRUE(readLinePercent(bandLine(1, 8, "x"), p));  // 12.5 -> 12
    EXPECT_EQ(p.height, 12);
    ASSERT_TRUE(readLinePercent(bandLine(27, 200, "x"), p));  // 13.5 -> 14
    EXPECT_EQ(p.height, 14);
    ASSERT_TRUE(readLinePercent(bandLine(12345, 12345, "x"), p));
    EXPECT_EQ(p.text, "100.0");
    EXPECT_EQ(p.height, 100);
    ASSERT_TRUE(readLinePercent(bandLine(123, 123, "x"), p));
    EXPECT_EQ(p.text, "100.0") << "a three-digit count at 100 %";
    ASSERT_TRUE(readLinePercent(bandLine(65535, 65535, "x"), p));
    EXPECT_EQ(p.text, "100.0");
    EXPECT_FALSE(readLinePercent(" ", p));
    EXPECT_FALSE(readLinePercent(" Tension Artérielle ", p));
}

// Counts up to 65535 stand in one field: two spaces for a digit, the
// percentage and the label start at the same place whatever the count.
TEST(SynthesisLines, CountsUpToFiveDigitsAlign) {
    auto halfDigits = [](const std::string& line) {  // width before the percentage, a digit counting 2
        std::size_t i = line.find_first_not_of(' ');
        std::size_t w = i;
        for (; line[i] != ' '; ++i) w += 2;
        return w;
    };
    EXPECT_EQ(bandLine(7, 40, "Hb <6.5"), "          7        17.5%      Hb <6.5");  // as it always was
    EXPECT_EQ(bandLine(123, 400, "x"), "      123        30.8%      x");
    for (std::uint32_t c : {0u, 7u, 42u, 123u, 1234u, 65535u}) EXPECT_EQ(halfDigits(bandLine(c, 65535, "x")), 12u) << c;
    EXPECT_EQ(bandLine(65535, 65535, "x"), "  65535      100.0%      x");
}

TEST(SynthesisFile, SelectionStatesAndTheWholeList) {
    test::TempDir dir;
    std::vector<FibRecord> fibs;
    for (int i = 0; i < 40; ++i) {
        FibRecord f = blankFib();
        f.set(fld::TypeDiabete, std::uint8_t(i < 10 ? 1 : i < 30 ? 2 : 3));
        f.set(fld::EtatFiche, std::uint8_t(i % 3));
        f.set(fld::HbA1c, i < 7 ? 6.0f : 9.0f);
        fibs.push_back(f);
    }
    FibRecord annulled = blankFib();
    annulled.set(fld::EtatFiche, kAnnulled);
    annulled.set(fld::TypeDiabete, std::uint8_t(1));
    fibs.push_back(annulled);
    writeFile(fibs, 77);

    SynthesisResult r;
    ASSERT_FALSE(runSynthesis("FIB.DAT", 0, params(), r));
    EXPECT_EQ(r.evaluated, 40u);
    EXPECT_EQ(r.complete, 14u);
    EXPECT_EQ(r.incomplete, 13u);
    EXPECT_EQ(r.toReview, 13u);
    EXPECT_EQ(r.counts[29], 10);  // the annulled type 1 is counted nowhere
    EXPECT_EQ(r.counts[31], 10);
    EXPECT_EQ(r.counts[177], 40);
    const auto lines = synthesisLines(r);
    ASSERT_EQ(lines.size(), 264u);
    EXPECT_EQ(lines[0], " SYNTHESE des 40 FIB du Centre 77");
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], "      HbA1C      ");
    EXPECT_EQ(lines[3], std::string(10, ' ') + "7" + std::string(8, ' ') + "17.5%      Hb <6.5");
    EXPECT_EQ(lines[257], std::string(8, ' ') + "40" + std::string(6, ' ') + "100.0%      Pas de tour de hanches");
    EXPECT_EQ(lines[114], " ");
    EXPECT_EQ(lines[263], " ");

    ASSERT_FALSE(runSynthesis("FIB.DAT", 1, params(), r));
    EXPECT_EQ(r.evaluated, 10u);
    EXPECT_EQ(r.counts[31], 0);
    ASSERT_FALSE(runSynthesis("FIB.DAT", 2, params(), r));
    EXPECT_EQ(r.evaluated, 20u);
    ASSERT_FALSE(runSynthesis("FIB.DAT", 3, params(), r));
    EXPECT_EQ(r.evaluated, 0u);
}

TEST(SynthesisFile, MissingOrTruncatedFileIsAnErrorAndLeavesTheResult) {
    test::TempDir dir;
    SynthesisResult r;
    r.evaluated = 5;
    auto e = runSynthesis("FIB.DAT", 0, params(), r);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur FIB.DAT : fichier introuvable");
    EXPECT_EQ(r.evaluated, 5u);
    writeFile({blankFib(), blankFib(), blankFib()});
    auto bytes = test::readBytes("FIB.DAT");
    bytes.resize(bytes.size() - 248);
    test::writeBytes("FIB.DAT", bytes);
    EXPECT_TRUE(runSynthesis("FIB.DAT", 0, params(), r));
    EXPECT_EQ(r.evaluated, 5u);
}

TEST(Objectives, RowsFromASynthesis) {
    SynthesisResult r;
    r.evaluated = 16;
    r.filter = 1;
    r.counts[21] = 1;  // 6.25 % -> 6.3
    r.counts[0] = 3;
    r.counts[1] = 5;    // below 8: 8 of 16
    r.counts[182] = 2;  // 12.5 % -> 12, so 88
    r.counts[68] = 16;
    ObjectivesGrid g;
    writeObjectiveHeadings(g);
    writeObjectiveResults(r, g);
    EXPECT_EQ(g[0][0], "         RISQUES");
    EXPECT_EQ(g[1][1], "      0 %");
    EXPECT_EQ(g[9][1], "    100 %");
    EXPECT_EQ(g[1][2], "    6.3 %");
    EXPECT_EQ(g[2][2], "    0.0 %");
    EXPECT_EQ(g[5][2], "    50.0 %");
    EXPECT_EQ(g[7][2], "    88 %");
    EXPECT_EQ(g[8][2], "    100.0 %");
    EXPECT_EQ(g[10][1], "  Type 1");
    EXPECT_EQ(g[10][2], "         16");
    r.counts[182] = 0;
    r.filter = 0;
    writeObjectiveResults(r, g);
    EXPECT_EQ(g[7][2], "  100 %");
    EXPECT_EQ(g[10][1], "Tous Diabètes");
    r.counts[182] = 15;  // 93.75 % -> 94, so 6
    writeObjectiveResults(r, g);
    EXPECT_EQ(g[7][2], "      6 %");
}

TEST(ClassLists, WholeSectionOfTheClickedBand) {
    test::TempDir dir;
    std::vector<FibRecord> fibs(6, blankFib());
    fibs[0].set(fld::Infarctus, std::uint8_t(3));
    fibs[1].set(fld::Infarctus, std::uint8_t(1));
    fibs[1].set(fld::InsufRenale, std::uint8_t(1));
    fibs[2].set(fld::ExamYeux, std::uint8_t(1));
    for (auto* f : {&fibs[3], &fibs[4]}) {  // Grp 2
        f->set(fld::TypeDiabete, std::uint8_t(2));
        f->set(fld::AnNaissance, 1940);
        f->set(fld::AnDebutDiabete, 1990);
    }
    fibs[4].set(fld::AnDebutInsuline, 2000);  // Grp 3
    fibs[5].set(fld::EtatFiche, kAnnulled);
    fibs[5].set(fld::Infarctus, std::uint8_t(3));
    writeFile(fibs, 12);

    ClassLists c;
    const int recent = lineTable()[86].section, old = lineTable()[92].section;
    ASSERT_FALSE(classLists("FIB.DAT", 0, params(), recent, c));
    EXPECT_EQ(c.centre, 12);
    EXPECT_EQ(c.nbFiches, 6);
    EXPECT_EQ(c.numbers[1], (std::vector<std::uint16_t>{1, 2}));
    EXPECT_EQ(c.numbers[3], (std::vector<std::uint16_t>{2}));
    ASSERT_FALSE(classLists("FIB.DAT", 0, params(), old, c));
    EXPECT_EQ(c.numbers[1], (std::vector<std::uint16_t>{1}));

    const int groupe = lineTable()[55].section;
    ASSERT_FALSE(classLists("FIB.DAT", 0, params(), groupe, c));
    EXPECT_EQ(c.numbers[0], (std::vector<std::uint16_t>{}));
    EXPECT_EQ(c.numbers[1], (std::vector<std::uint16_t>{4}));
    EXPECT_EQ(c.numbers[2], (std::vector<std::uint16_t>{5}));
    ASSERT_FALSE(classLists("FIB.DAT", 1, params(), groupe, c));
    EXPECT_TRUE(c.numbers[1].empty() && c.numbers[2].empty());

    const int yeux = lineTable()[124].section;
    EXPECT_EQ(classTitles(yeux)[1], " Non ");
    EXPECT_EQ(classTitles(groupe)[1], "  C2 ");
    EXPECT_EQ(classTitles(groupe)[9], "  C10 ");
    ASSERT_FALSE(classLists("FIB.DAT", 0, params(), yeux, c));
    EXPECT_EQ(c.numbers[0], (std::vector<std::uint16_t>{3}));
    EXPECT_EQ(c.numbers[1], (std::vector<std::uint16_t>{1, 2, 4, 5}));
}

TEST(Charts, FirstChartsFromTheLines) {
    SynthesisResult r;
    r.evaluated = 40;
    r.counts[0] = 7;   // 17.5 -> 18
    r.counts[1] = 40;  // 100
    const auto lines = synthesisLines(r);
    DrawList d;
    drawFirstCharts(d, lines);
    // Bar 1 of the HbA1c chart: its label centred just above it, then the bar
    // in aqua outlined in white, pen and brush back to the chart's.
    auto it = std::find_if(d.items.begin(), d.items.end(),
                           [](const DrawItem& i) { return i.kind == DrawItem::Text && i.text == "17.5"; });
    ASSERT_NE(it, d.items.end());
    EXPECT_EQ(it->x1, 5 + (42 - 30) / 2);
    EXPECT_EQ(it->y1, 238 - 17 - 18);
    EXPECT_EQ(*(it + 1), (DrawItem{DrawItem::Brush, 0, 0, 0, 0, colors::Aqua, {}, {}}));
    EXPECT_EQ(*(it + 2), (DrawItem{DrawItem::Pen, 0, 0, 0, 0, colors::White, {}, {}}));
    EXPECT_EQ(*(it + 3), (DrawItem{DrawItem::Rect, 5, 220, 47, 238, {}, {}, {}}));
    std::vector<DrawItem> rects;
    std::vector<Rgb> brushes;
    for (const auto& i : d.items) {
        if (i.kind == DrawItem::Rect) rects.push_back(i);
        if (i.kind == DrawItem::Brush && !(i.color == colors::Navy)) brushes.push_back(i.color);
    }
    // 5 + 3 + 3 + 3 bars; the 100 % bar is 100 high, a 0.0 % bar flat on the base line.
    ASSERT_EQ(rects.size(), 14u);
    EXPECT_EQ(rects[1], (DrawItem{DrawItem::Rect, 47, 138, 89, 238, {}, {}, {}}));
    EXPECT_EQ(rects[2], (DrawItem{DrawItem::Rect, 89, 238, 131, 238, {}, {}, {}}));
    // The right-hand chart starts clear of the fifth HbA1c bar.
    EXPECT_EQ(rects[4].x2, 215);
    EXPECT_EQ(rects[5], (DrawItem{DrawItem::Rect, 235, 238, 277, 238, {}, {}, {}}));
    EXPECT_EQ(rects[13], (DrawItem{DrawItem::Rect, 319, 410, 361, 410, {}, {}, {}}));
    for (const auto& rc : rects) EXPECT_LE(rc.x2, kChartRight);
    EXPECT_EQ(brushes[3], colors::Red);  // the fourth HbA1c bar
    EXPECT_EQ(brushes[5], (Rgb{255, 159, 64}));
    const auto texts = d.texts();
    EXPECT_EQ(texts.back(), "Clicquez sur un numéro de fiche pour voir la fiche");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), " Tension Artérielle "), 1);
}

namespace {
// The text boxes of a drawing that overlap one another, as "a / b".
std::vector<std::string> overlappingTexts(const DrawList& d) {
    std::vector<std::pair<TextBox, std::string>> boxes;
    for (const auto& i : d.items)
        if (i.kind == DrawItem::Text) boxes.push_back({labelBox(i.x1, i.y1, i.text), i.text});
    std::vector<std::string> out;
    for (std::size_t a = 0; a < boxes.size(); ++a)
        for (std::size_t b = a + 1; b < boxes.size(); ++b)
            if (overlap(boxes[a].first, boxes[b].first)) out.push_back(boxes[a].second + " / " + boxes[b].second);
    return out;
}

// Every band of every section at the same count (0 %, 100 %), or at counts
// that vary from band to band.
SynthesisResult filled(int mode) {
    SynthesisResult r;
    r.evaluated = 1000;
    for (std::size_t c = 0; c < r.counts.size(); ++c)
        r.counts[c] = static_cast<std::uint16_t>(mode == 0 ? 0 : mode == 1 ? 1000 : (c * 379 + 17) % 1001);
    return r;
}
}  // namespace

// No label runs into another label, a title or a hint; every bar outline
// shows on the navy background.
TEST(Charts, NoTextOverlapsAnotherInAnyChart) {
    for (int mode = 0; mode < 3; ++mode) {
        const auto lines = synthesisLines(filled(mode));
        DrawList first;
        drawFirstCharts(first, lines);
        EXPECT_EQ(overlappingTexts(first), std::vector<std::string>{}) << "first charts, mode " << mode;
        int sections = 0;
        for (int h = 0; h < kLineCount; ++h) {
            if (lineTable()[std::size_t(h)].kind != LineInfo::Heading) continue;
            ++sections;
            DrawList d;
            drawHeadingChart(d, lines, h);
            EXPECT_EQ(overlappingTexts(d), std::vector<std::string>{}) << "heading line " << h << ", mode " << mode;
            Rgb pen = colors::Blue;
            for (const auto& i : d.items) {
                if (i.kind == DrawItem::Pen) pen = i.color;
                if (i.kind == DrawItem::Rect) {
                    EXPECT_EQ(pen, colors::White) << h;
                }
                if (i.kind == DrawItem::Text) {
                    EXPECT_LE(i.x1, kChartRight) << i.text;
                }
            }
        }
        EXPECT_EQ(sections, kSectionCount);
    }
}

TEST(Charts, HeadingChartStopsAtTheBlankLineAndWrapsColours) {
    SynthesisResult r;
    r.evaluated = 1;
    const auto lines = synthesisLines(r);
    DrawList d;
    drawHeadingChart(d, lines, 104);  // the patient's role: 9 bars before the blank line
    EXPECT_EQ(std::count_if(d.items.begin(), d.items.end(), [](auto& i) { return i.kind == DrawItem::Rect; }), 9);
    // Nine bars of 45 would end at 410, under the list at 384: they are narrowed to 41.
    std::vector<DrawItem> rects;
    for (const auto& i : d.items)
        if (i.kind == DrawItem::Rect) rects.push_back(i);
    EXPECT_EQ(rects[0], (DrawItem{DrawItem::Rect, 5, 300, 46, 300, {}, {}, {}}));
    EXPECT_EQ(rects[8].x2, 374);
    // The twelve answers' quality bars all stand left of the list.
    DrawList q;
    drawHeadingChart(q, lines, 250);
    int bars = 0, right = 0;
    for (const auto& i : q.items)
        if (i.kind == DrawItem::Rect) ++bars, right = std::max(right, i.x2);
    EXPECT_EQ(bars, 12);
    EXPECT_LE(right, kChartRight);
    // A section that fits keeps its 45-wide bars.
    DrawList m;
    drawHeadingChart(m, lines, 73);  // the seven motives
    for (const auto& i : m.items) {
        if (i.kind == DrawItem::Rect) {
            EXPECT_EQ(i.x2 - i.x1, 45);
        }
    }
    EXPECT_EQ(headingChartColour(1), (Rgb{215, 40, 10}));
    EXPECT_EQ(headingChartColour(8), (Rgb{226, 29, 10}));  // -30 and 285 modulo 256
}

// GCC 12 in Release takes the empty fonts of the expected items for uninitialised (a known false positive).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
TEST(Printout, SectionsWholeInTheirColumnAndPagesNumbered) {
    SynthesisResult r;
    r.evaluated = 3;
    const auto lines = synthesisLines(r);
    const PrintDocument doc = synthesisPrintout(lines, 263, "SYNTHESE-1234", "Type 2");
    ASSERT_GE(doc.pages.size(), 2u);
    const std::string of = " / " + std::to_string(doc.pages.size());
    std::size_t bandLines = 0;
    int next = 2;  // the lines come in list order, blank lines left out
    auto skipBlanks = [&] {
        while (next < kLineCount && lineTable()[std::size_t(next)].kind == LineInfo::Blank) ++next;
    };
    for (std::size_t k = 0; k < doc.pages.size(); ++k) {
        const auto& items = doc.pages[k].items;
        EXPECT_EQ(items[0].font.size, 12);
        EXPECT_TRUE(items[0].font.italic);
        EXPECT_EQ(items[1], (DrawItem{DrawItem::Text, 700, 150, 0, 0, {}, {}, lines[0]}));
        const auto texts = doc.pages[k].texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Population évaluée : Type 2"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "page " + std::to_string(k + 1) + of), texts.end());
        // In each column, every band line comes under its own section's
        // heading, or under that heading repeated "(suite)".
        int column = -1, section = -1, heading = -1;
        for (const auto& i : items) {
            if (i.kind != DrawItem::Text || (i.x1 != 200 && i.x1 != 1200) || i.y1 < 300) continue;
            if (i.x1 != column) column = i.x1, section = -1;
            if (heading >= 0 && i.text == lines[std::size_t(heading)] + " (suite)") {
                section = lineTable()[std::size_t(heading)].section;
                continue;
            }
            skipBlanks();
            ASSERT_LT(next, kLineCount);
            ASSERT_EQ(i.text, lines[std::size_t(next)]) << "page " << k + 1;
            const auto& info = lineTable()[std::size_t(next)];
            if (info.kind == LineInfo::Heading) section = info.section, heading = next;
            if (info.kind == LineInfo::BandLine) {
                EXPECT_EQ(info.section, section) << "line " << next << " page " << k + 1;
                ++bandLines;
            }
            ++next;
        }
    }
    EXPECT_EQ(bandLines, std::size_t(kBandCount));
    // A short list is one page, numbered "page 1 / 1".
    const auto one = synthesisPrintout(lines, 20, "x");
    ASSERT_EQ(one.pages.size(), 1u);
    const auto t = one.pages[0].texts();
    EXPECT_NE(std::find(t.begin(), t.end(), "page 1 / 1"), t.end());
}
#pragma GCC diagnostic pop

TEST(Csv, OneRowPerBandForASpreadsheet) {
    SynthesisResult r;
    r.evaluated = 16;
    r.centre = 5;
    r.counts[0] = 1;
    const std::string csv = synthesisCsv(r);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFSYNTHESE des 16 FIB du Centre 5\r\nPopulation;Tous types\r\n"
                        "Section;Libellé;Nombre;Pourcentage\r\n",
                        0),
              0u);
    EXPECT_NE(csv.find("\r\nHbA1C;Hb <6.5;1;6,3\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\nTension Artérielle;TA <140/90;0;0,0\r\n"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3 + kBandCount);
    r.filter = 1;
    EXPECT_NE(synthesisCsv(r).find("\r\nPopulation;Type 1\r\n"), std::string::npos);
}

TEST(Units, TheFileHeaderGivesTheUnits) {
    test::TempDir dir;
    // 2.52 g/l is 6.5016 mmol/l: in the second cholesterol band only when the header says g/l.
    writeFile({withF32(fld::Cholesterol, 2.52f)});
    SynthesisResult r;
    ASSERT_FALSE(runCentreSynthesis("FIB.DAT", 0, kYear, r));
    EXPECT_EQ(r.counts[11], 1);
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    for (auto slot : kUnitSlots) h.set(slot, 3.0f);
    h.set(fld::UniteCholesterol, 4.0f);
    ASSERT_FALSE(recordfile::writeHeader("FIB.DAT", h));
    ASSERT_FALSE(runCentreSynthesis("FIB.DAT", 0, kYear, r));
    EXPECT_EQ(r.counts[12], 1);
    ClassLists c;
    ASSERT_FALSE(centreClassLists("FIB.DAT", 0, kYear, 3, c));
    EXPECT_EQ(c.numbers[1], (std::vector<std::uint16_t>{1}));
    EXPECT_EQ(centreParams(2026, {3, 3, 3, 3, 5, 3, 5}).cholFactor, 0.0258);
    EXPECT_EQ(centreParams(2026, {3, 3, 3, 3, 5, 3, 5}).trigFactor, 0.0114);
}

// Each class list of a section holds exactly the FIBs that its band counts, for
// every section and every filter: a click on a band never disagrees with its line.
TEST(ClassLists, AgreeWithTheCountsOfEverySection) {
    test::TempDir dir;
    DemoCentre dc;
    dc.year = kYear;
    dc.units = {3, 3, 3, 3, 4, 3, 4};
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", demoRecords(dc, 300, 17)));
    for (int filter = 0; filter <= 2; ++filter) {
        SynthesisResult r;
        ASSERT_FALSE(runCentreSynthesis("FIB.DAT", filter, kYear, r));
        ASSERT_GT(r.evaluated, 0u);
        for (int s = 0; s < kSectionCount; ++s) {
            ClassLists c;
            ASSERT_FALSE(centreClassLists("FIB.DAT", filter, kYear, s, c));
            for (int k = 0; k < kSections[s].size; ++k)
                EXPECT_EQ(c.numbers[k].size(), r.counts[kSections[s].bands[k].counter])
                    << kSections[s].heading << " band " << k << " filter " << filter;
            if (kSections[s].examClasses) {
                EXPECT_EQ(c.numbers[0].size() + c.numbers[1].size(), r.evaluated);
            } else {
                for (int k = kSections[s].size; k < 12; ++k) EXPECT_TRUE(c.numbers[k].empty());
            }
        }
    }
}
