// fibtool exporter: every FIB of a centre file or of a pooled file as a table
// for the statisticians (CSV, xlsx, dta, sav) with its codebook beside it.
#include <cstdio>
#include <string>

#include "Cli.h"
#include "Command.h"
#include "TermProgress.h"
#include "exchange/FibTable.h"
#include "exchange/SynthesisExport.h"
#include "formats/Csv.h"
#include "pool/PoolFiles.h"
#include "store/Text.h"

namespace pelo::cli {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
std::string extensionOf(const std::string& path) {
    const std::string name = formats::baseName(path);
    const auto dot = name.find_last_of('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return ext;
}

int runExporter(const Args& a) {
    if (a.positional.size() != 2) return usageError("exporter attend un fichier de fiches et un fichier de sortie");
    const std::string& source = a.positional[0];
    const std::string& dest = a.positional[1];
    int rc = kOk;
    if (!acceptedPath(source, rc) || !acceptedOutput(dest, source, rc)) return rc;
    exchange::ExportRequest r;
    const std::string ext = extensionOf(dest);
    if (auto f = exchange::exportFormatNamed(ext)) r.format = *f;
    if (auto v = a.value("format")) {
        auto f = exchange::exportFormatNamed(*v);
        if (!f) return usageError("--format attend csv, xlsx, dta ou sav");
        r.format = *f;
    }
    if (auto v = a.value("dialecte")) {
        if (*v != "fr" && *v != "international") return usageError("--dialecte attend fr ou international");
        r.international = *v == "international";
    }
    r.labels = a.has("libelles");
    r.fibs.annulled = a.has("annulees");
    if (r.labels && (r.format == exchange::ExportFormat::Dta || r.format == exchange::ExportFormat::Sav))
        return usageError("--libelles vaut pour csv et xlsx : dta et sav portent déjà les libellés des codes");
    std::size_t rows = 0;
    if (extensionOf(source) == "atx") {
        // A stored synthesis: its centres side by side, or the benchmark of every band.
        ref::StoredSynthesis s;
        if (auto e = ref::readStored(folderOf(source), formats::baseName(source), s)) return fileError(e->message());
        const ref::Benchmark b = ref::benchmarkOf(s);
        const formats::Table t = a.has("comparaison") ? exchange::benchmarkTable(b) : exchange::wideSynthesisTable(b);
        if (auto e = exchange::writeTable(dest, t, r)) return fileError(e->message());
        std::printf("%s exportée%s dans %s (dictionnaire : %s)\n", counted(t.rows, "ligne", "lignes").c_str(),
                    t.rows > 1 ? "s" : "", dest.c_str(), formats::codebookPath(dest).c_str());
        return kOk;
    }
    if (a.has("comparaison")) return usageError("--comparaison vaut pour une synthèse stockée (.Atx)");
    if (auto e = exchange::exportFile(source, dest, r, rows, terminalProgress("exporter")))
        return fileError(e->message());
    std::printf("%s exportée%s dans %s (dictionnaire : %s)\n", counted(rows, "fiche", "fiches").c_str(),
                rows > 1 ? "s" : "", dest.c_str(), formats::codebookPath(dest).c_str());
    return kOk;
}

}  // namespace

extern const Command commandExporter{
    .name = "exporter",
    .synopsis =
        "FICHIER SORTIE [--format csv|xlsx|dta|sav] [--libelles]\n"
        "                [--dialecte fr|international] [--annulees] [--comparaison]",
    .summary = "les fiches, ou une synthèse stockée, pour les statisticiens",
    .description =
        "Une ligne par fiche d'un fichier de fiches d'un centre ou d'un fichier de collection\n"
        "(reconnus à leur en-tête), une colonne par champ ; une valeur vide est manquante.\n"
        "En dta et sav chaque variable porte son libellé et chaque code le sien, en français.\n"
        "Le dictionnaire des variables est écrit à côté : SORTIE sans son extension,\n"
        "suivi de « -dictionnaire.csv ». Sur une synthèse stockée (.Atx), une ligne par\n"
        "centre (le pays d'abord), une colonne par ligne de bande et son dénominateur.\n",
    .options = {{"format", "csv|xlsx|dta|sav", "format de SORTIE (défaut : son extension, sinon csv)"},
                {"libelles", "", "les libellés des codes au lieu des codes (csv, xlsx)"},
                {"dialecte", "fr|international",
                 "fr : UTF-8 avec BOM, « ; », virgule décimale (défaut) ;\n"
                 "international : sans BOM, « , », point décimal, pour R et Python"},
                {"annulees", "", "garde les fiches annulées"},
                {"comparaison", "", "synthèse stockée : la comparaison des centres, bande par bande"}},
    .example = "fibtool exporter FIB.DAT fiches.dta",
    .run = runExporter,
};

}  // namespace pelo::cli
