#include "ref/ComparisonReport.h"

#include <algorithm>

#include "eval/Bands.h"
#include "ref/ComparisonChart.h"
#include "ref/ReportPage.h"
#include "store/Text.h"

namespace pelo::ref {

namespace {

constexpr int kBandRows = 40;

Rgb judgementColour(int judgement, bool directed) {
    if (!directed) return colors::Gray;
    return judgement > 0 ? colors::Green : judgement < 0 ? colors::Red : colors::Black;
}

std::string hyphenated(std::string s) {
    std::replace(s.begin(), s.end(), ' ', '-');
    return s;
}

}  // namespace

std::string comparisonReportName(const std::string& campaign, std::int32_t centre) {
    return "Rapport-" + hyphenated(campaign) + "-centre" + std::to_string(centre) + ".pdf";
}

PrintDocument comparisonReport(const Comparison& c, const std::string& campaign, const Benchmark* bands,
                               std::uint16_t centre, const std::string& date) {
    PrintDocument doc;
    doc.title = comparisonReportName(campaign, centre);
    const ReportHead head{"Rapport du centre " + std::to_string(centre) + " – " + campaign,
                          date,
                          campaign + " : " + std::to_string(c.fibs) + " fiches de l'ensemble des centres",
                          {}};
    auto newPage = [&](const std::string& heading) -> DrawList& { return addReportPage(doc, head, heading); };

    // Page 1: the nine indicators.
    DrawList& p = newPage("Les neuf indicateurs, bruts et ajustés");
    const int cols[] = {150, 760, 960, 1130, 1300, 1480, 1800, 2100};
    const char* titles[] = {"Indicateur", "Meilleur",     "Pays",           "Brut",
                            "Ajusté",     "Limites 95 %", "Limites 99,8 %", "Position"};
    reportTableHead(p, cols, titles);
    for (const auto& ind : c.indicators) {
        const CentreComparison* cc = centreOf(ind, centre);
        const int y = 565 + (ind.number - 1) * 70;
        p.setFont(reportFont(9));
        p.text(cols[0], y, ind.info().label);
        p.text(cols[1], y, ind.info().better == Better::Higher ? "plus haut" : "plus bas");
        p.text(cols[2], y, ind.crude().text() + " %");
        p.text(cols[3], y, cc ? cc->crude().text() + " %" : "-");
        const bool adjusted = cc && cc->adjusted();
        p.text(cols[4], y, adjusted ? decimalText(ind.adjustedPercent(cc->y), 1) + " %" : "-");
        auto range = [&](double lo, double hi) {
            return adjusted ? decimalText(ind.shownLimit(lo), 1) + " – " + decimalText(ind.shownLimit(hi), 1) : "-";
        };
        p.text(cols[5], y, cc ? range(cc->limits.lo95, cc->limits.hi95) : "-");
        p.text(cols[6], y, cc ? range(cc->limits.lo998, cc->limits.hi998) : "-");
        const int j = cc ? ind.judgement(*cc) : 0;
        p.setFont(reportFont(9, j != 0, judgementColour(j, true)));
        std::string words = cc ? judgementWords(j) : "aucune fiche";
        if (cc && std::abs(cc->position) == 2) words += " (99,8 %)";
        p.text(cols[7], y, words);
    }
    p.setFont(reportFont(8, false, colors::Gray));
    p.text(150, 1240, kAdjustedLegend);
    p.text(150, 1290,
           "En vert : meilleur que le pays ; en rouge : moins bon, selon le sens où l'indicateur est meilleur.");

    // Page 2: the bands outside the limits, when the campaign has a stored synthesis.
    const std::string heading = "Bandes où le centre est hors des limites à 95 %";
    DrawList* q = &newPage(heading);
    if (!bands) {
        q->setFont(reportFont(10));
        q->text(150, 565, "Pas de synthèse stockée de cette campagne : les bandes ne sont pas comparées.");
    } else {
        const int bcols[] = {150, 900, 1150, 1450, 1650, 2000};
        const char* btitles[] = {"Bande", "Meilleur", "Centre", "Pays", "Limites 95 %", "Position"};
        reportTableHead(*q, bcols, btitles);
        int row = 0, rows = 0;
        for (const Funnel& f : bands->bands) {
            const FunnelCentre* fc = Benchmark::centreIn(f, centre);
            if (!fc || fc->position == 0) continue;
            if (row == kBandRows) {
                q = &newPage(heading + " (suite)");
                reportTableHead(*q, bcols, btitles);
                row = 0;
            }
            const int dir = eval::betterDirection(f.counter);
            const int side = fc->position > 0 ? 1 : -1;
            const Rgb colour = judgementColour(dir * side, dir != 0);
            const int y = 565 + row * 68;
            q->setFont(reportFont(9, false, colour));
            q->text(bcols[0], y, f.title);
            q->setFont(reportFont(7, false, colors::Gray));
            q->text(bcols[0], y + 36, f.section);
            q->setFont(reportFont(9, false, colour));
            q->text(bcols[1], y, dir > 0 ? "plus haut" : dir < 0 ? "plus bas" : "ni l'un ni l'autre");
            q->text(bcols[2], y, percentOf(fc->x, fc->n).text() + " %");
            q->text(bcols[3], y, percentOf(f.count, f.total).text() + " %");
            q->text(bcols[4], y,
                    fc->limits ? percentText(fc->limits->lo95) + " – " + percentText(fc->limits->hi95) : "-");
            q->setFont(reportFont(9, std::abs(fc->position) == 2 && dir != 0, colour));
            const std::string where = std::string(positionWords(fc->position)) + (dir == 0         ? ""
                                                                                  : dir * side > 0 ? ", meilleur"
                                                                                                   : ", moins bon");
            q->text(bcols[5], y, where);
            ++row;
            ++rows;
        }
        if (rows == 0) {
            q->setFont(reportFont(10));
            q->text(150, 565, "Aucune : le centre est dans les limites à 95 % pour toutes les bandes.");
        }
    }
    reportFooters(doc, "Centre " + std::to_string(centre) + " – " + campaign + " – édité le " + date);
    return doc;
}

}  // namespace pelo::ref
