#include "ref/Benchmark.h"

#include <algorithm>
#include <cstdio>

#include "eval/Bands.h"
#include "formats/Sink.h"
#include "ref/FunnelChart.h"
#include "ref/ReportPage.h"
#include "store/RecordIo.h"
#include "store/Text.h"

namespace pelo::ref {

namespace {

std::string comma(std::string t) {
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

std::string stem(const std::string& name) {
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

const FunnelCentre* Benchmark::centreIn(const Funnel& f, std::int32_t centre) {
    const auto it = std::lower_bound(f.centres.begin(), f.centres.end(), centre,
                                     [](const FunnelCentre& c, std::int32_t n) { return c.centre < n; });
    return it != f.centres.end() && it->centre == centre ? &*it : nullptr;
}

Funnel indicatorFunnel(const StoredSynthesis& s, int objective) {
    const eval::Objective& o = eval::kObjectives.at(std::size_t(objective));
    // The FIBs that meet the indicator among d.
    auto met = [&o](const eval::BandCounts& c, std::uint32_t d) -> std::uint32_t {
        const std::uint32_t k = eval::objectiveCount(o, c);
        return o.measured ? (k >= d ? 0 : d - k) : k;
    };
    Funnel f;
    f.title = o.name;
    f.line = -1;
    f.counter = o.counter;
    f.total = s.index.totalFibs();
    // Two bands together can exceed 16 bits only in a damaged synthesis.
    const std::uint32_t met0 = met(s.records.at(0).counters, f.total);
    f.count = static_cast<std::uint16_t>(std::min<std::uint32_t>(met0, 0xFFFF));
    f.target = f.total == 0 ? 0.0 : std::min(1.0, double(met0) / double(f.total));
    addFunnelCentres(f, s, [&met](const pool::SynCounters& r, std::uint16_t n) {
        return static_cast<std::uint16_t>(std::min<std::uint32_t>(0xFFFF, met(r.counters, n)));
    });
    return f;
}

Benchmark benchmarkOf(const StoredSynthesis& s) {
    Benchmark b;
    b.name = s.name;
    b.total = s.index.totalFibs();
    for (int line : bandLines())
        if (auto f = funnelOf(s, line)) b.bands.push_back(std::move(*f));
    for (int i = 0; i < eval::kObjectiveCount; ++i) b.indicators[std::size_t(i)] = indicatorFunnel(s, i);
    return b;
}

std::string benchmarkCsv(const Benchmark& b) {
    std::string out = "\xEF\xBB\xBF";
    out += csvField("Comparaison des centres : " + b.name + ", " + std::to_string(b.total) + " fiches") + "\r\n";
    out +=
        "Centre;Ligne;Libellé;Numérateur;Dénominateur;Pourcentage;Limite basse 95 %;Limite haute 95 %;"
        "Limite basse 99,8 %;Limite haute 99,8 %;Position\r\n";
    if (b.bands.empty()) return out;
    const std::size_t centres = b.bands.front().centres.size();
    for (std::size_t i = 0; i < centres; ++i)
        for (const Funnel& f : b.bands) {
            const FunnelCentre& c = f.centres[i];
            out += std::to_string(c.centre) + ";" + std::to_string(f.line) + ";" + csvField(f.title) + ";" +
                   std::to_string(c.x) + ";" + std::to_string(c.n) + ";" + comma(percentOf(c.x, c.n).text()) + ";";
            if (c.limits)
                out += comma(percentText(c.limits->lo95)) + ";" + comma(percentText(c.limits->hi95)) + ";" +
                       comma(percentText(c.limits->lo998)) + ";" + comma(percentText(c.limits->hi998)) + ";";
            else out += ";;;;";
            out += std::to_string(c.position) + "\r\n";
        }
    return out;
}

IoStatus writeTextFile(const std::string& path, const std::string& text) { return formats::writeExport(path, text); }

std::string reportFileName(const std::string& synthesisName, std::int32_t centre) {
    return "Rapport-" + stem(synthesisName) + "-centre" + std::to_string(centre) + ".pdf";
}

namespace {

// A4 at 300 dpi.
constexpr double kUnitsPerPoint = 300.0 / 72.0;

std::string range(const std::optional<FunnelLimits>& l, bool outer) {
    if (!l) return "-";
    return outer ? percentText(l->lo998) + " – " + percentText(l->hi998)
                 : percentText(l->lo95) + " – " + percentText(l->hi95);
}

class ReportPages {
public:
    ReportPages(const Benchmark& b, std::int32_t centre, std::uint16_t fibs, std::string date)
        : b_(b), centre_(centre), fibs_(fibs), date_(std::move(date)) {}

    DrawList& newPage(const std::string& heading) {
        const ReportHead head{
            "Rapport du centre " + std::to_string(centre_), date_,
            "Synthèse " + stem(b_.name) + " : " + std::to_string(b_.total) + " fiches de l'ensemble des centres",
            "Centre " + std::to_string(centre_) + " : " + std::to_string(fibs_) + " fiches"};
        return addReportPage(doc, head, heading);
    }

    // The footer of every page, once their number is known.
    void footers() {
        reportFooters(doc, "Centre " + std::to_string(centre_) + " (" + std::to_string(fibs_) + " fiches) – " +
                               stem(b_.name) + " – édité le " + date_);
    }

    PrintDocument doc;

private:
    const Benchmark& b_;
    std::int32_t centre_;
    std::uint16_t fibs_;
    std::string date_;
};

}  // namespace

PrintDocument centreReport(const Benchmark& b, std::int32_t centre, const std::string& date) {
    std::uint16_t fibs = 0;
    if (!b.bands.empty())
        if (const auto* c = Benchmark::centreIn(b.bands.front(), centre)) fibs = c->n;
    ReportPages pages(b, centre, fibs, date);
    pages.doc.title = reportFileName(b.name, centre);

    // Page 1: the nine indicators.
    DrawList& p = pages.newPage("Les neuf indicateurs standards");
    const int cols[] = {150, 740, 900, 1090, 1300, 1650, 2000};
    const char* titles[] = {"Indicateur", "Idéal", "Pays", "Centre", "Limites 95 %", "Limites 99,8 %", "Position"};
    reportTableHead(p, cols, titles);
    for (int i = 0; i < eval::kObjectiveCount; ++i) {
        const Funnel& f = b.indicators[std::size_t(i)];
        const FunnelCentre* c = Benchmark::centreIn(f, centre);
        const int y = 565 + i * 62;
        p.setFont(reportFont(9));
        p.text(cols[0], y, f.title);
        p.text(cols[1], y, std::to_string(eval::kObjectives[std::size_t(i)].ideal) + " %");
        p.text(cols[2], y, percentOf(f.count, f.total).text() + " %");
        p.text(cols[3], y, c ? percentOf(c->x, c->n).text() + " %" : "-");
        p.text(cols[4], y, range(c ? c->limits : std::nullopt, false));
        p.text(cols[5], y, range(c ? c->limits : std::nullopt, true));
        const int pos = c ? c->position : 0;
        p.setFont(reportFont(9, pos != 0, pos > 0 ? colors::Blue : pos < 0 ? colors::Red : colors::Black));
        p.text(cols[6], y, c && c->n > 0 ? positionWords(pos) : "-");
    }
    p.setFont(reportFont(8, false, colors::Gray));
    p.text(150, 1140,
           "Dans chaque graphique : en bleu le pays, en orange les limites à 95 %, en bordeaux les limites à "
           "99,8 %, en rouge le centre.");
    for (int i = 0; i < eval::kObjectiveCount; ++i) {
        ChartBox box;
        box.left = 150 + (i % 3) * 740;
        box.top = 1220 + (i / 3) * 690;
        box.width = 700;
        box.height = 650;
        box.fontSize = 6;
        box.unitsPerPoint = kUnitsPerPoint;
        box.legend = false;
        box.labels = false;
        drawFunnel(p, b.indicators[std::size_t(i)], centre, box);
    }

    // Then the bands where the centre is outside its 95 % limits.
    const std::string heading = "Bandes où le centre est hors des limites à 95 %";
    DrawList* q = &pages.newPage(heading);
    const int bcols[] = {150, 530, 1080, 1450, 1650, 1950};
    const char* btitles[] = {"Meilleur", "Bande", "Centre", "Pays", "Limites 95 %", "Position"};
    reportTableHead(*q, bcols, btitles);
    int row = 0, rows = 0;
    for (const Funnel& f : b.bands) {
        const FunnelCentre* c = Benchmark::centreIn(f, centre);
        if (!c || c->position == 0) continue;
        if (row == 40) {
            q = &pages.newPage(heading + " (suite)");
            reportTableHead(*q, bcols, btitles);
            row = 0;
        }
        // Better or worse by the band's direction, never by the side of the deviation; grey for neither.
        const int dir = eval::betterDirection(f.counter), side = c->position > 0 ? 1 : -1;
        const Rgb colour = dir == 0 ? colors::Gray : dir * side > 0 ? colors::Green : colors::Red;
        const int y = 565 + row * 68;
        q->setFont(reportFont(9, false, dir == 0 ? colors::Gray : colors::Black));
        q->text(bcols[0], y, dir > 0 ? "plus haut" : dir < 0 ? "plus bas" : "ni l'un ni l'autre");
        q->setFont(reportFont(9));
        q->text(bcols[1], y, f.title);
        q->setFont(reportFont(7, false, colors::Gray));
        q->text(bcols[1], y + 36, f.section);
        q->setFont(reportFont(9));
        q->text(bcols[2], y,
                std::to_string(c->x) + " / " + std::to_string(c->n) + " : " + percentOf(c->x, c->n).text() + " %");
        q->text(bcols[3], y, percentOf(f.count, f.total).text() + " %");
        q->text(bcols[4], y, range(c->limits, false));
        q->setFont(reportFont(9, std::abs(c->position) == 2, colour));
        q->text(bcols[5], y, std::string(positionWords(c->position)) + (std::abs(c->position) == 2 ? " (99,8 %)" : ""));
        ++row;
        ++rows;
    }
    if (rows == 0) {
        q->setFont(reportFont(10));
        q->text(150, 565, "Aucune : le centre est dans les limites à 95 % pour toutes les bandes.");
    }
    pages.footers();
    return pages.doc;
}

}  // namespace pelo::ref

namespace pelo::ref {
PrintDocument funnelPrintout(const Funnel& f, const std::string& synthesisName, std::int32_t chosen) {
    PrintDocument doc;
    doc.title = "Entonnoir " + stem(synthesisName) + " ligne " + std::to_string(f.line);
    doc.pages.emplace_back();
    DrawList& p = doc.pages.back();
    p.setFont(reportFont(14, true, colors::Navy));
    p.text(150, 130, "Entonnoir des centres");
    p.setFont(reportFont(10));
    p.text(150, 230, f.section.empty() ? f.title : f.section + " : " + f.title);
    p.text(150, 290,
           "Synthèse " + stem(synthesisName) + " : " + std::to_string(f.count) + " fiches sur " +
               std::to_string(f.total) + " dans la bande (" + percentOf(f.count, f.total).text() + " %), " +
               std::to_string(f.centres.size()) + " centres");
    const ChartBox box = printedFunnelBox();
    drawFunnel(p, f, chosen, box);
    return doc;
}
}  // namespace pelo::ref
