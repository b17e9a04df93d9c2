#include "ref/FunnelView.h"

#include <QDir>
#include <cstdlib>

#include "ref/Benchmark.h"
#include "ref/FunnelChart.h"
#include "ui/Canvas.h"
#include "ui/Form.h"

namespace pelo::ref {

namespace {
// The funnel's box on the screen's canvas.
ChartBox screenBox() {
    ChartBox box;
    box.left = 6;
    box.top = 16;
    box.width = 468;
    box.height = 420;
    return box;
}
}  // namespace

bool drawFunnelOn(ui::Canvas& canvas, const StoredSynthesis& s, int line, std::int32_t chosen) {
    const auto f = funnelOf(s, line);
    if (!f) return false;
    canvas.clear(colors::White);
    drawFunnel(canvas.surface(), *f, chosen, screenBox());
    return true;
}

QString funnelTipAt(const StoredSynthesis& s, int line, QPoint at) {
    const auto f = funnelOf(s, line);
    if (!f) return {};
    const FunnelCentre* c = funnelCentreAt(*f, screenBox(), at.x(), at.y());
    if (!c) return {};
    QString where = QString::fromUtf8(positionWords(c->position));
    if (c->position != 0) where += std::abs(c->position) == 2 ? " (99,8 %)" : " (95 %)";
    return QString::fromUtf8("Centre %1 : %2 sur %3 FIB, %4 % — %5")
        .arg(c->centre)
        .arg(c->x)
        .arg(c->n)
        .arg(QString::fromStdString(percentText(double(c->x) / c->n)).replace('.', ','))
        .arg(where);
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
