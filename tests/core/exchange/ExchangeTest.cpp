#include <gtest/gtest.h>
#include <readstat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "TestSupport.h"
#include "entry/CallUp.h"
#include "exchange/FibImport.h"
#include "exchange/FibTable.h"
#include "formats/Csv.h"
#include "formats/PooledFile.h"
#include "formats/RecordFile.h"
#include "store/Demo.h"
#include "store/Units.h"

namespace pelo::exchange {
namespace {

std::vector<FibRecord> demoFile(const std::string& path, std::uint32_t n, std::array<std::uint16_t, 7> units) {
    DemoCentre c;
    c.units = units;
    c.year = 2025;
    auto recs = demoRecords(c, n, 7);
    EXPECT_FALSE(recordfile::replaceWith(path, recs));
    return recs;
}

// An empty file with the same header.
void emptyLike(const std::string& path, CentreHeader h) {
    h.setNbFiches(0);
    ASSERT_FALSE(recordfile::replaceWith(path, {h}));
}

ImportPlan importInto(const std::string& target, const std::string& source, ImportOptions o = {}) {
    formats::CsvData d;
    EXPECT_FALSE(readSource(source, d));
    ImportPlan plan;
    if (!o.currentYear) o.currentYear = 2026;
    EXPECT_FALSE(planImport(target, d, o, plan));
    return plan;
}

std::string fieldDiff(const FibRecord& a, const FibRecord& b) {
    std::string out;
    for (const FieldInfo& f : kFibFields)
        if (std::memcmp(a.bytes.data() + f.offset, b.bytes.data() + f.offset, f.width) != 0)
            out += f.name + std::string(" ");
    return out;
}

// Export then import into an empty file with the same header: the same FIBs,
// field for field; the state is the one a save gives.
void roundTrip(const std::string& file, const ExportRequest& r, const std::string& out) {
    CentreHeader h;
    std::vector<FibRecord> fibs;
    ASSERT_FALSE(readAllFibs(file, h, fibs));
    std::size_t rows = 0;
    ASSERT_FALSE(exportFile(file, out, r, rows));
    emptyLike("VIDE.DAT", h);
    ImportOptions all;
    all.keepDuplicates = true;
    const ImportPlan plan = importInto("VIDE.DAT", out, all);
    EXPECT_TRUE(plan.refusals.empty()) << plan.refusals.front().column << " " << plan.refusals.front().reason;
    std::uint16_t first = 0;
    ASSERT_FALSE(storeImport("VIDE.DAT", plan, first));
    CentreHeader h2;
    std::vector<FibRecord> back;
    ASSERT_FALSE(readAllFibs("VIDE.DAT", h2, back));
    checks::Context ctx;
    ctx.currentYear = 2026;
    ctx.units = units::fromHeader(h);
    std::size_t k = 0;
    for (const FibRecord& f : fibs) {
        if (f.get(fld::EtatFiche) == kAnnulled) continue;
        ASSERT_LT(k, back.size());
        FibRecord expected = f;
        expected.set(fld::NumFib, std::uint16_t(k + 1));
        expected.set(fld::EtatFiche, checks::checkAsSaved(f, ctx).record.get(fld::EtatFiche));
        // A value that is not a number is missing, and comes back as the empty value.
        for (const FieldInfo& fi : kFibFields)
            if (fi.type == FieldType::F32 && !std::isfinite(fieldAt<FieldType::F32>(f.bytes.data() + fi.offset)))
                putField<FieldType::F32>(expected.bytes.data() + fi.offset, kEmptyF32);
        EXPECT_EQ(fieldDiff(back[k], expected), "") << out << ": FIB " << f.get(fld::NumFib);
        ++k;
    }
    EXPECT_EQ(k, back.size());
    EXPECT_EQ(rows, k);
}

TEST(ExchangeRoundTrip, DemoFileInEveryReadableFormat) {
    test::TempDir dir;
    demoFile("FIB.DAT", 300, {4, 3, 3, 3, 5, 5, 5});
    roundTrip("FIB.DAT", {}, "fr.csv");
    ExportRequest r;
    r.international = true;
    r.labels = true;
    roundTrip("FIB.DAT", r, "int.csv");
    r.format = ExportFormat::Xlsx;
    roundTrip("FIB.DAT", r, "lib.xlsx");
}

TEST(ExchangeRoundTrip, EdgeCasesOfTheChecks) {
    test::TempDir dir;
    const std::string src = std::string(PELO_TEST_DATA) + "/CONTROLE.DAT";
    test::writeBytes("CONTROLE.DAT", test::readBytes(src));
    roundTrip("CONTROLE.DAT", {}, "c.csv");
}

TEST(ExchangeExport, AnnulledLeftOutUnlessAskedAndMissingValues) {
    test::TempDir dir;
    auto recs = demoFile("FIB.DAT", 3, {3, 3, 3, 3, 3, 3, 3});
    recs[2].set(fld::EtatFiche, std::uint8_t{kAnnulled});
    recs[1].set(fld::HbA1c, std::numeric_limits<float>::infinity());
    recs[1].set(fld::Sexe, std::uint8_t{255});
    recs[1].setDate("31/02/2025");
    ASSERT_FALSE(recordfile::replaceWith("FIB.DAT", recs));
    formats::Table t;
    ASSERT_FALSE(tableOfFile("FIB.DAT", {}, t));
    EXPECT_EQ(t.rows, 2u);
    ASSERT_FALSE(tableOfFile("FIB.DAT", {true}, t));
    ASSERT_EQ(t.rows, 3u);
    auto col = [&](const char* name) -> const formats::Column& {
        for (const auto& c : t.columns)
            if (c.name == name) return c;
        throw std::runtime_error(name);
    };
    EXPECT_TRUE(formats::isMissing(col("HbA1c").numbers[0]));
    EXPECT_TRUE(formats::isMissing(col("Sexe").numbers[0]));
    EXPECT_TRUE(formats::isMissing(col("DateFib").numbers[0]));
    EXPECT_EQ(col("DateFib").texts[0], "31/02/2025");
    EXPECT_EQ(col("EtatFiche").numbers[1], 255);
    EXPECT_EQ(col("GlyJeun").label, "Glycémie à jeun (mmol/l)");
    for (const char* gone : {"CodeFixe", "Reserve", "Reserve2"})
        for (const auto& c : t.columns) EXPECT_NE(c.name, gone);
    EXPECT_EQ(t.columns.size(), std::size(kFibFields) - 3);
}

TEST(ExchangeExport, PooledFileToldApartByItsHeader) {
    test::TempDir dir;
    auto recs = demoFile("FIB.DAT", 4, {3, 3, 3, 3, 3, 3, 3});
    std::vector<std::uint8_t> bytes;
    for (std::size_t k = 0; k < recs.size(); ++k) {
        pool::PooledFibRecord p = pool::widen(recs[k]);
        if (k == 0) {
            p.set(pool::pfld::NumCentre, pool::kPoolCentre);
            p.setNbFiches(4);
        }
        bytes.insert(bytes.end(), p.bytes.begin(), p.bytes.end());
    }
    test::writeBytes("FibFr97.Dat", std::vector<unsigned char>(bytes.begin(), bytes.end()));
    EXPECT_EQ(fileKindOf("FibFr97.Dat", nullptr), FileKind::Pooled);
    EXPECT_EQ(fileKindOf("FIB.DAT", nullptr), FileKind::Centre);
    formats::Table pooled, centre;
    ASSERT_FALSE(tableOfFile("FibFr97.Dat", {}, pooled));
    ASSERT_FALSE(tableOfFile("FIB.DAT", {}, centre));
    ASSERT_EQ(pooled.rows, 4u);
    ASSERT_EQ(pooled.columns.size(), centre.columns.size());
    for (std::size_t c = 0; c < pooled.columns.size(); ++c) {
        EXPECT_EQ(pooled.columns[c].texts, centre.columns[c].texts) << pooled.columns[c].name;
        for (std::size_t r = 0; r < 4; ++r) {
            const double a = pooled.columns[c].numbers.empty() ? 0 : pooled.columns[c].numbers[r];
            const double b = centre.columns[c].numbers.empty() ? 0 : centre.columns[c].numbers[r];
            EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << pooled.columns[c].name;
        }
    }
    EXPECT_EQ(pooled.columns[39].label, "Glycémie à jeun (unités du centre)");
}

// The dta's own labels, read back by ReadStat's parser.
struct Labels {
    std::map<std::string, std::string> variable, set;          // name -> label, name -> label set
    std::map<std::string, std::map<int, std::string>> values;  // set -> code -> label
};

// The export's progress runs once up the bar, through the workbook's rows;
// cancelled anywhere on the way, no file is left, the old one kept.
TEST(ExchangeExport, WorkbookProgressRunsOnceAndCancelsWhole) {
    test::TempDir dir;
    demoFile("FIB.DAT", 3000, {3, 3, 3, 3, 3, 3, 3});
    test::writeBytes("f.xlsx", {'a', 'n', 'c', 'i', 'e', 'n'});
    ExportRequest r;
    r.format = ExportFormat::Xlsx;
    std::vector<std::uint32_t> seen;
    std::vector<std::string> what;
    const Progress watch = [&](std::uint32_t done, std::uint32_t total, const std::string& w) {
        EXPECT_EQ(total, 1000u);
        seen.push_back(done);
        what.push_back(w);
        return true;
    };
    std::size_t rows = 0;
    ASSERT_FALSE(exportFile("FIB.DAT", "f.xlsx", r, rows, watch));
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 1000u);
    EXPECT_NE(std::find(what.begin(), what.end(), "ligne 2049"), what.end());
    EXPECT_NE(std::find(what.begin(), what.end(), "compression du classeur"), what.end());

    for (const std::string& stop : {std::string("ligne 1025"), std::string("compression du classeur")}) {
        test::writeBytes("g.xlsx", {'a', 'n', 'c', 'i', 'e', 'n'});
        const Progress cancelAt = [&](std::uint32_t, std::uint32_t, const std::string& w) { return w != stop; };
        auto e = exportFile("FIB.DAT", "g.xlsx", r, rows, cancelAt);
        ASSERT_TRUE(e) << stop;
        EXPECT_TRUE(isCancelled(*e)) << e->message();
        EXPECT_EQ(test::readBytes("g.xlsx"), (std::vector<unsigned char>{'a', 'n', 'c', 'i', 'e', 'n'}));
        EXPECT_FALSE(std::filesystem::exists("g-dictionnaire.csv"));
    }
}

TEST(ExchangeExport, DtaCarriesFrenchLabels) {
    test::TempDir dir;
    demoFile("FIB.DAT", 20, {3, 3, 3, 3, 3, 3, 3});
    std::size_t rows = 0;
    ExportRequest r;
    r.format = ExportFormat::Dta;
    ASSERT_FALSE(exportFile("FIB.DAT", "f.dta", r, rows));
    Labels l;
    readstat_parser_t* p = readstat_parser_init();
    readstat_set_variable_handler(p, [](int, readstat_variable_t* v, const char* set, void* ctx) -> int {
        auto* l = static_cast<Labels*>(ctx);
        const std::string name = readstat_variable_get_name(v);
        l->variable[name] = readstat_variable_get_label(v) ? readstat_variable_get_label(v) : "";
        if (set) l->set[name] = set;
        return READSTAT_HANDLER_OK;
    });
    readstat_set_value_label_handler(p, [](const char* set, readstat_value_t v, const char* label, void* ctx) -> int {
        static_cast<Labels*>(ctx)->values[set][readstat_int32_value(v)] = label;
        return READSTAT_HANDLER_OK;
    });
    ASSERT_EQ(readstat_parse_dta(p, "f.dta", &l), READSTAT_OK);
    readstat_parser_free(p);
    EXPECT_EQ(l.variable["HbA1c"], "HbA1c (%)");
    EXPECT_EQ(l.variable["AnNaissance"], "Année de naissance");
    EXPECT_EQ(l.values[l.set["Tabac"]][1], "oui");
    EXPECT_EQ(l.values[l.set["Infarctus"]][1], "Oui < 12 mois");
    EXPECT_EQ(l.values[l.set["InsRapide"]][3], "avant et après");
    EXPECT_EQ(l.values[l.set["TypeDiabete"]][1], "Type 1");
    const auto book = test::readBytes("f-dictionnaire.csv");
    EXPECT_NE(std::string(book.begin(), book.end()).find("Tabac;Tabac;entier;;1 = oui | 2 = non;255\r\n"),
              std::string::npos);
}

TEST(ExchangeImport, RefusalsDuplicatesAndCounts) {
    test::TempDir dir;
    auto recs = demoFile("FIB.DAT", 2, {3, 3, 3, 3, 3, 3, 3});
    const FibRecord& f1 = recs[1];
    const std::string dup = f1.initiale() + ";" + std::to_string(f1.get(fld::MoisNaissance)) + ";" +
                            std::to_string(f1.get(fld::AnNaissance)) + ";" + std::to_string(f1.get(fld::Sexe)) + ";" +
                            f1.date();
    test::writeBytes("in.csv", [&] {
        const std::string s = "Initiale;MoisNaissance;AnNaissance;Sexe;DateFib;Tabac;HbA1c;NumFib\r\n" +  //
                              dup +
                              ";;;99\r\n"                              // line 2
                              "B;13;1950;1;2026-01-15;oui;7,25;1\r\n"  // 3: month
                              "C;5;19x0;3;01/02/2026;5;abc;1\r\n"      // 4: three
                              "D;5;1950;F;2026-01-15;non;7.25;\r\n"    // 5
                              "D;5;1950;2;15/01/2026;;;\r\n";          // 6: dup of 5
        return std::vector<unsigned char>(s.begin(), s.end());
    }());
    ImportPlan plan = importInto("FIB.DAT", "in.csv");
    EXPECT_EQ(plan.rows, 5u);
    EXPECT_EQ(plan.refusedRows, 2u);
    ASSERT_EQ(plan.refusals.size(), 5u);
    EXPECT_EQ(plan.refusals[0].line, 3u);
    EXPECT_EQ(plan.refusals[0].column, "MoisNaissance");
    EXPECT_EQ(plan.refusals[0].reason, "valeur hors de l'intervalle 1 à 12");
    EXPECT_EQ(plan.refusals[1].reason, "'19x0' n'est pas une valeur entière correcte");
    EXPECT_EQ(plan.refusals[2].reason, "code hors de sa famille (1 = M, 2 = F)");
    EXPECT_EQ(plan.refusals[3].column, "Tabac");
    EXPECT_EQ(plan.refusals[4].value, "abc");
    ASSERT_EQ(plan.duplicates.size(), 2u);
    EXPECT_EQ(plan.duplicates[0].of, "la fiche 1");
    EXPECT_EQ(plan.duplicates[1].line, 6u);
    EXPECT_EQ(plan.duplicates[1].of, "la ligne 5");
    ASSERT_EQ(plan.fibs.size(), 1u);
    EXPECT_EQ(plan.fibs[0].get(fld::HbA1c), 7.25f);
    EXPECT_EQ(plan.fibs[0].date(), "15/01/2026");
    EXPECT_EQ(plan.fibs[0].get(fld::NumCentre), recs[0].get(fld::NumCentre));
    EXPECT_EQ(plan.fibs[0].get(fld::RegionDep), recs[0].get(fld::RegionDep));
    EXPECT_EQ(importSummary(plan, false),
              "1 fiche à enregistrer (0 complète, 0 incomplète, 1 à réviser), 2 lignes refusées, 2 doublons "
              "(laissés de côté)");
    EXPECT_EQ(
        importReportCsv(plan).rfind("\xEF\xBB\xBFLigne;Colonne;Valeur;Motif\r\n3;MoisNaissance;13;valeur hors", 0), 0u);
    EXPECT_NE(importReportCsv(plan).find("\r\n6;;;doublon de la ligne 5\r\n"), std::string::npos);

    ImportOptions keep;
    keep.keepDuplicates = true;
    EXPECT_EQ(importInto("FIB.DAT", "in.csv", keep).fibs.size(), 3u);
    std::uint16_t first = 0;
    ASSERT_FALSE(storeImport("FIB.DAT", plan, first));
    EXPECT_EQ(first, 3);
    CentreHeader h;
    ASSERT_FALSE(recordfile::readHeader("FIB.DAT", h));
    EXPECT_EQ(h.nbFiches(), 3);
}

TEST(ExchangeImport, UnknownColumnAndFullFileWriteNothing) {
    test::TempDir dir;
    auto recs = demoFile("FIB.DAT", 2, {3, 3, 3, 3, 3, 3, 3});
    formats::CsvData d;
    ASSERT_EQ(formats::parseCsv("Sexe;Poids;Couleur\n1;70;bleu\n", d), "");
    ImportPlan plan;
    const auto e = planImport("FIB.DAT", d, {}, plan);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "colonne inconnue dans la source : « Couleur »");
    // A file that the rows would take past 65535 FIBs is left as it was.
    recs[0].setNbFiches(65535);
    test::writeBytes("PLEIN.DAT", {});
    std::vector<unsigned char> bytes(recs[0].bytes.begin(), recs[0].bytes.end());
    bytes.resize(65536ull * kRecordSize);
    test::writeBytes("PLEIN.DAT", bytes);
    plan.fibs = {recs[1]};
    std::uint16_t first = 0;
    const auto full = storeImport("PLEIN.DAT", plan, first);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->message(), "Fichier plein");
    EXPECT_EQ(test::readBytes("PLEIN.DAT").size(), 65536ull * kRecordSize);
}

}  // namespace
}  // namespace pelo::exchange
