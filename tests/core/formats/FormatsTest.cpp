#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "formats/Csv.h"
#include "formats/Stat.h"
#include "formats/Xlsx.h"

namespace pelo::formats {
namespace {

// Two rows: a coded integer, a decimal, a date, a text; the second row all missing but the text.
Table smallTable() {
    Table t;
    Column sexe;
    sexe.name = "Sexe";
    sexe.label = "Sexe";
    sexe.codes = {{1, "M"}, {2, "F"}};
    sexe.numbers = {2, kMissing};
    Column hb;
    hb.name = "HbA1c";
    hb.label = "HbA1c (%)";
    hb.type = ColumnType::Real;
    hb.numbers = {decimalOfSingle(7.5f), kMissing};
    Column date;
    date.name = "DateFib";
    date.label = "Date de la fiche";
    date.type = ColumnType::Date;
    date.numbers = {dayNumberOf("29/02/2024"), dayNumberOf("31/02/2024")};
    date.texts = {"29/02/2024", "31/02/2024"};
    Column ini;
    ini.name = "Initiale";
    ini.label = "Initiale";
    ini.type = ColumnType::Text;
    ini.texts = {"É", "a;\"b"};
    t.columns = {sexe, hb, date, ini};
    t.rows = 2;
    return t;
}

std::string fileText(const std::string& path) {
    const auto b = test::readBytes(path);
    return std::string(b.begin(), b.end());
}

// Runs a command, its standard output; nullopt when it cannot run.
std::optional<std::string> output(const std::string& cmd) {
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return std::nullopt;
    std::string out;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    if (::pclose(p) != 0) return std::nullopt;
    return out;
}
bool have(const std::string& tool) { return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0; }

TEST(Dates, CalendarAndSinglePrecision) {
    EXPECT_EQ(dayNumberOf("01/01/1970"), 0);
    EXPECT_EQ(dayNumberOf("29/02/2024"), 19782);
    EXPECT_TRUE(isMissing(dayNumberOf("29/02/2023")));
    EXPECT_TRUE(isMissing(dayNumberOf("  /04/1998")));
    EXPECT_TRUE(isMissing(dayNumberOf("")));
    int d = 0, m = 0, y = 0;
    civilOf(19782, d, m, y);
    EXPECT_EQ(d * 1000000 + m * 10000 + y, 29022024);
    // A stored single is exported as the decimal it was typed as.
    EXPECT_EQ(decimalOfSingle(6.2f), 6.2);
    EXPECT_EQ(shortestText(decimalOfSingle(0.1f)), "0.1");
}

TEST(CsvWrite, BothDialectsWholeFiles) {
    test::TempDir dir;
    const Table t = smallTable();
    ASSERT_FALSE(writeCsv("fr.csv", "fr.csv", t, {Dialect::French, false}));
    EXPECT_EQ(fileText("fr.csv"),
              "\xEF\xBB\xBFSexe;HbA1c;DateFib;Initiale\r\n2;7,5;29/02/2024;É\r\n;;31/02/2024;\"a;\"\"b\"\r\n");
    ASSERT_FALSE(writeCsv("int.csv", "int.csv", t, {Dialect::International, true}));
    EXPECT_EQ(fileText("int.csv"), "Sexe,HbA1c,DateFib,Initiale\nF,7.5,29/02/2024,É\n,,31/02/2024,\"a;\"\"b\"\n");
    ASSERT_FALSE(writeCsv(codebookPath("int.csv"), "book", codebookOf(t), {Dialect::French, false}));
    EXPECT_EQ(codebookPath("/a.b/fiches"), "/a.b/fiches-dictionnaire.csv");
    const std::string book = fileText("int-dictionnaire.csv");
    EXPECT_NE(book.find("Sexe;Sexe;entier;;1 = M | 2 = F;\r\n"), std::string::npos) << book;
    EXPECT_NE(book.find("HbA1c;HbA1c (%);décimal;"), std::string::npos);
}

TEST(CsvWrite, MissingFolderLeavesNothing) {
    test::TempDir dir;
    const auto e = writeCsv("absent/x.csv", "x.csv", smallTable(), {});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur x.csv : le dossier absent est introuvable");
}

TEST(CsvRead, DialectsEncodingsAndQuotes) {
    CsvData d;
    // The export's own dialect, read back.
    ASSERT_EQ(parseCsv("\xEF\xBB\xBFSexe;HbA1c\r\n2;7,5\r\n\r\n1;\r\n", d), "");
    EXPECT_EQ(d.separator, ';');
    EXPECT_EQ(d.header, (std::vector<std::string>{"Sexe", "HbA1c"}));
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[1], (std::vector<std::string>{"1", ""}));
    EXPECT_EQ(d.lines, (std::vector<std::size_t>{2, 4}));
    // Tab, Windows-1252, a quoted field over two lines: the next record's line counts both.
    ASSERT_EQ(parseCsv("Initiale\tMotif\n\xC9\t\"D\xE9s\xE9quilibre\nsuite\"\nA\t\"x\"\"y\"\n", d), "");
    EXPECT_EQ(d.separator, '\t');
    EXPECT_TRUE(d.cp1252);
    EXPECT_EQ(d.rows[0], (std::vector<std::string>{"É", "Déséquilibre\nsuite"}));
    EXPECT_EQ(d.rows[1], (std::vector<std::string>{"A", "x\"y"}));
    EXPECT_EQ(d.lines, (std::vector<std::size_t>{2, 4}));
    // Commas, with a decimal comma quoted.
    ASSERT_EQ(parseCsv("A,B\n\"7,5\",1", d), "");
    EXPECT_EQ(d.rows[0], (std::vector<std::string>{"7,5", "1"}));
    EXPECT_EQ(parseCsv("A;B\n1;\"open\n", d), "guillemet non fermé (enregistrement commencé à la ligne 2)");
    EXPECT_EQ(parseCsv("\r\n\r\n", d), "fichier vide : aucune ligne d'en-tête");
}

TEST(XlsxRead, ReadsWhatItWrites) {
    test::TempDir dir;
    ASSERT_FALSE(writeXlsx("t.xlsx", "t.xlsx", smallTable(), true));
    const auto b = test::readBytes("t.xlsx");
    CsvData d;
    ASSERT_EQ(parseXlsx(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()), d), "");
    EXPECT_EQ(d.header, (std::vector<std::string>{"Sexe", "HbA1c", "DateFib", "Initiale"}));
    ASSERT_EQ(d.rows.size(), 2u);
    // The date as the workbook's day number, the invalid one missing.
    EXPECT_EQ(d.rows[0], (std::vector<std::string>{"F", "7.5", "45351", "É"}));
    EXPECT_EQ(d.rows[1], (std::vector<std::string>{"", "", "", "a;\"b"}));
    EXPECT_EQ(parseXlsx("PK\x03\x04garbage", d), "ce n'est pas un classeur xlsx (archive zip illisible)");
    // A text longer than a cell holds fails the export instead of leaving its cell empty.
    Table t = smallTable();
    t.columns[3].texts[1].assign(40000, 'x');
    const IoStatus e = writeXlsx("long.xlsx", "long.xlsx", t, true);
    ASSERT_TRUE(e);
    EXPECT_NE(e->message().find("classeur non écrit"), std::string::npos) << e->message();
    EXPECT_FALSE(std::filesystem::exists("long.xlsx"));
}

TEST(XlsxRead, IndependentReaderSeesNumbersDatesAndFrozenHeader) {
    if (!have("/usr/bin/python3") || std::system("/usr/bin/python3 -c 'import openpyxl' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-openpyxl absent";
    test::TempDir dir;
    ASSERT_FALSE(writeXlsx("t.xlsx", "t.xlsx", smallTable(), false));
    const auto out = output(
        "/usr/bin/python3 -c \"import openpyxl; ws = openpyxl.load_workbook('t.xlsx').active; "
        "print(ws.freeze_panes); [print(repr([c.value for c in r])) for r in ws.iter_rows()]\"");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out,
              "A2\n['Sexe', 'HbA1c', 'DateFib', 'Initiale']\n[2, 7.5, datetime.datetime(2024, 2, 29, 0, 0), 'É']\n"
              "[None, None, None, 'a;\"b']\n");
}

TEST(StatWrite, ReadstatReadsValuesDatesAndMissing) {
    if (!have("readstat")) GTEST_SKIP() << "readstat absent";
    test::TempDir dir;
    ASSERT_FALSE(writeStat("t.dta", "t.dta", smallTable(), StatFormat::Dta));
    ASSERT_FALSE(writeStat("t.sav", "t.sav", smallTable(), StatFormat::Sav));
    auto dta = output("readstat t.dta - 2>/dev/null");
    auto sav = output("readstat t.sav - 2>/dev/null");
    ASSERT_TRUE(dta && sav);
    // Dates in each package's days (Stata: since 1960) or seconds (SPSS: since 14/10/1582); missing is empty.
    EXPECT_EQ(*dta, "\"Sexe\",\"HbA1c\",\"DateFib\",\"Initiale\"\n2,7.500000,23435.000000,\"É\"\n,,,\"a;\"\"b\"\n");
    EXPECT_EQ(*sav,
              "\"Sexe\",\"HbA1c\",\"DateFib\",\"Initiale\"\n2.000000,7.500000,13928544000.000000,\"É\"\n,,,"
              "\"a;\"\"b\"\n");
    const auto meta = output("readstat t.dta 2>/dev/null");
    ASSERT_TRUE(meta);
    EXPECT_NE(meta->find("Format version: 118"), std::string::npos) << *meta;
}

}  // namespace
}  // namespace pelo::formats
