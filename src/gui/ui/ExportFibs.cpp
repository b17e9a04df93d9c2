#include "ui/ExportFibs.h"

#include "exchange/FibImport.h"
#include "exchange/FibTable.h"
#include "formats/Csv.h"
#include "formats/Sink.h"
#include "store/Text.h"
#include "ui/Form.h"

namespace pelo {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

exchange::ExportFormat formatOf(const QString& path) {
    const QString ext = path.section('.', -1).toLower();
    if (auto f = exchange::exportFormatNamed(ext.toStdString()); f && path.contains('.')) return *f;
    return exchange::ExportFormat::Csv;
}

// How many refusals the question lists; the report holds them all.
constexpr std::size_t kShownRefusals = 12;
}  // namespace

void exportFibsFrom(Form& form, const std::string& source, const QString& suggested) {
    const QString path = form.ui().chooseSaveFile(
        QString::fromUtf8("Exporter les fiches"), suggested,
        QString::fromUtf8("Tableur CSV (*.csv);;Classeur (*.xlsx);;Stata (*.dta);;SPSS (*.sav)"));
    if (path.isEmpty()) return;
    exchange::ExportRequest r;
    r.format = formatOf(path);
    std::size_t rows = 0;
    if (auto e = exchange::exportFile(source, path.toStdString(), r, rows,
                                      form.ui().progress(QString::fromUtf8("Exportation des fiches"))))
        return form.ioError(*e);
    form.ui().information(q(counted(rows, "fiche exportée", "fiches exportées")) + QString::fromUtf8(" dans ") +
                          path.section('/', -1) + QString::fromUtf8("\nDictionnaire des variables : ") +
                          q(formats::baseName(formats::codebookPath(path.toStdString()))));
}

int importFibsInto(Form& form, const std::string& recordFile) {
    const QString path =
        form.ui().chooseOpenFile(QString::fromUtf8("Importer des fiches"),
                                 QString::fromUtf8("Fiches d'un tableur (*.csv *.xlsx *.txt);;Tous les fichiers (*)"));
    if (path.isEmpty()) return -1;
    formats::CsvData data;
    if (auto e = exchange::readSource(path.toStdString(), data)) {
        form.ioError(*e);
        return -1;
    }
    exchange::ImportPlan plan;
    exchange::ImportOptions o;
    if (auto e = exchange::planImport(recordFile, data, o, plan,
                                      form.ui().progress(QString::fromUtf8("Lecture des fiches à importer")))) {
        form.ioError(*e);
        return -1;
    }
    QString text = q(exchange::importSummary(plan, false)) + ".";
    for (std::size_t k = 0; k < plan.refusals.size() && k < kShownRefusals; ++k) {
        const auto& r = plan.refusals[k];
        text += QString::fromUtf8("\nLigne %1, colonne %2, « %3 » : %4")
                    .arg(r.line)
                    .arg(q(r.column.empty() ? "?" : r.column), q(r.value), q(r.reason));
    }
    if (plan.refusals.size() > kShownRefusals)
        text += QString::fromUtf8("\n… et %1 autres refus.").arg(plan.refusals.size() - kShownRefusals);
    if (!plan.refusals.empty() || !plan.duplicates.empty()) {
        // The whole list beside the source, for the centre to correct its records.
        const std::string report = path.section('.', 0, -2).toStdString() + "-rapport.csv";
        if (auto e = formats::writeExport(report, exchange::importReportCsv(plan))) form.ioError(*e);
        else text += QString::fromUtf8("\nRapport complet : ") + q(formats::baseName(report));
    }
    if (plan.fibs.empty()) {
        form.ui().information(text + QString::fromUtf8("\nAucune fiche à enregistrer."));
        return -1;
    }
    text += QString::fromUtf8("\n\nEnregistrer ") + q(counted(plan.fibs.size(), "fiche", "fiches")) +
            QString::fromUtf8(" dans ") + q(formats::baseName(recordFile)) + " ?";
    if (form.ui().confirm(text) != ui::Answer::Yes) return -1;
    std::uint16_t first = 0;
    if (auto e = exchange::storeImport(recordFile, plan, first)) {
        form.ioError(*e);
        return -1;
    }
    const std::size_t last = first + plan.fibs.size() - 1;
    form.ui().information(q(counted(plan.fibs.size(), "fiche enregistrée", "fiches enregistrées")) +
                          QString::fromUtf8(", numéros %1 à %2.").arg(first).arg(last));
    return static_cast<int>(last);
}

}  // namespace pelo
