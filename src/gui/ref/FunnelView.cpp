#include "ref/FunnelView.h"

#include <QDir>

#include "ref/Benchmark.h"
#include "ref/FunnelChart.h"
#include "ui/Canvas.h"
#include "ui/Form.h"

namespace pelo::ref {

bool drawFunnelOn(ui::Canvas& canvas, const StoredSynthesis& s, int line, std::int32_t chosen) {
    const auto f = funnelOf(s, line);
    if (!f) return false;
    canvas.clear(colors::White);
    ChartBox box;
    box.left = 6;
    box.top = 16;
    box.width = 468;
    box.height = 420;
    drawFunnel(canvas.surface(), *f, chosen, box);
    return true;
}

PrintDocument funnelPrint(const StoredSynthesis& s, int line, std::int32_t chosen) {
    const auto f = funnelOf(s, line);
    return f ? funnelPrintout(*f, s.name, chosen) : PrintDocument{};
}

void exportBenchmark(AppContext& ctx, const CountryWorkspace& country, const StoredSynthesis& s) {
    const auto dot = s.name.find_last_of('.');
    const QString suggested = country.shownPathOf(
        QString::fromStdString("Comparaison-" + (dot == std::string::npos ? s.name : s.name.substr(0, dot)) + ".csv"));
    const QString path = ctx.ui.chooseSaveFile(QString::fromUtf8("Exporter la comparaison des centres"), suggested,
                                               QString::fromUtf8("Tableur, séparateur point-virgule (*.csv)"));
    if (path.isEmpty()) return;
    if (auto e = writeTextFile(path.toStdString(), benchmarkCsv(benchmarkOf(s)))) {
        ctx.ui.error(QString::fromStdString(e->message()));
        return;
    }
    ctx.ui.information(QString::fromUtf8("Comparaison des centres exportée dans ") + QDir::toNativeSeparators(path));
}

}  // namespace pelo::ref
