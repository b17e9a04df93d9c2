#include "ref/ComparisonReport.h"

#include <algorithm>

#include "eval/Bands.h"
#include "ref/ComparisonChart.h"
#include "store/Text.h"

namespace pelo::ref {

namespace {

constexpr int kPageWidth = 2480;
constexpr int kFooterY = 3360;
constexpr int kBandRows = 40;

FontSpec fontOf(int size, bool bold = false, Rgb colour = colors::Black) {
    FontSpec f;
    f.size = size;
    f.bold = bold;
    f.color = colour;
    return f;
}

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
    auto newPage = [&](const std::string& heading) -> DrawList& {
        doc.pages.emplace_back();
        DrawList& p = doc.pages.back();
        p.setFont(fontOf(15, true, colors::Navy));
        p.text(150, 130, "Rapport du centre " + std::to_string(centre) + " – " + campaign);
        p.setFont(fontOf(10));
        p.text(1700, 145, "Édité le " + date);
        p.text(150, 230, campaign + " : " + std::to_string(c.fibs) + " fiches de l'ensemble des centres");
        p.setPen(colors::Navy);
        p.line(150, 370, kPageWidth - 150, 370);
        p.setFont(fontOf(12, true, colors::Navy));
        p.text(150, 400, heading);
        return p;
    };

    // Page 1: the nine indicators.
    DrawList& p = newPage("Les neuf indicateurs, bruts et ajustés");
    const int cols[] = {150, 760, 960, 1130, 1300, 1480, 1800, 2100};
    const char* titles[] = {"Indicateur", "Meilleur",     "Pays",           "Brut",
                            "Ajusté",     "Limites 95 %", "Limites 99,8 %", "Position"};
    p.setFont(fontOf(9, true));
    for (std::size_t i = 0; i < std::size(cols); ++i) p.text(cols[i], 490, titles[i]);
    p.setPen(colors::Black);
    p.line(150, 545, kPageWidth - 150, 545);
    for (const auto& ind : c.indicators) {
        const CentreComparison* cc = centreOf(ind, centre);
        const int y = 565 + (ind.number - 1) * 70;
        p.setFont(fontOf(9));
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
        p.setFont(fontOf(9, j != 0, judgementColour(j, true)));
        std::string words = cc ? judgementWords(j) : "aucune fiche";
        if (cc && std::abs(cc->position) == 2) words += " (99,8 %)";
        p.text(cols[7], y, words);
    }
    p.setFont(fontOf(8, false, colors::Gray));
    p.text(150, 1240, kAdjustedLegend);
    p.text(150, 1290,
           "En vert : meilleur que le pays ; en rouge : moins bon, selon le sens où l'indicateur est meilleur.");

    // Page 2: the bands outside the limits, when the campaign has a stored synthesis.
    const std::string heading = "Bandes où le centre est hors des limites à 95 %";
    DrawList* q = &newPage(heading);
    if (!bands) {
        q->setFont(fontOf(10));
        q->text(150, 565, "Pas de synthèse stockée de cette campagne : les bandes ne sont pas comparées.");
    } else {
        const int bcols[] = {150, 900, 1150, 1450, 1650, 2000};
        const char* btitles[] = {"Bande", "Meilleur", "Centre", "Pays", "Limites 95 %", "Position"};
        auto tableHead = [&](DrawList& page) {
            page.setFont(fontOf(9, true));
            for (std::size_t i = 0; i < std::size(bcols); ++i) page.text(bcols[i], 490, btitles[i]);
            page.setPen(colors::Black);
            page.line(150, 545, kPageWidth - 150, 545);
        };
        tableHead(*q);
        int row = 0, rows = 0;
        for (const Funnel& f : bands->bands) {
            const FunnelCentre* fc = Benchmark::centreIn(f, centre);
            if (!fc || fc->position == 0) continue;
            if (row == kBandRows) {
                q = &newPage(heading + " (suite)");
                tableHead(*q);
                row = 0;
            }
            const int dir = eval::betterDirection(f.counter);
            const int side = fc->position > 0 ? 1 : -1;
            const Rgb colour = judgementColour(dir * side, dir != 0);
            const int y = 565 + row * 68;
            q->setFont(fontOf(9, false, colour));
            q->text(bcols[0], y, f.title);
            q->setFont(fontOf(7, false, colors::Gray));
            q->text(bcols[0], y + 36, f.section);
            q->setFont(fontOf(9, false, colour));
            q->text(bcols[1], y, dir > 0 ? "plus haut" : dir < 0 ? "plus bas" : "ni l'un ni l'autre");
            q->text(bcols[2], y, percentOf(fc->x, fc->n).text() + " %");
            q->text(bcols[3], y, percentOf(f.count, f.total).text() + " %");
            q->text(bcols[4], y,
                    fc->limits ? percentText(fc->limits->lo95) + " – " + percentText(fc->limits->hi95) : "-");
            q->setFont(fontOf(9, std::abs(fc->position) == 2 && dir != 0, colour));
            const std::string where = std::string(positionWords(fc->position)) + (dir == 0         ? ""
                                                                                  : dir * side > 0 ? ", meilleur"
                                                                                                   : ", moins bon");
            q->text(bcols[5], y, where);
            ++row;
            ++rows;
        }
        if (rows == 0) {
            q->setFont(fontOf(10));
            q->text(150, 565, "Aucune : le centre est dans les limites à 95 % pour toutes les bandes.");
        }
    }
    const std::size_t n = doc.pages.size();
    for (std::size_t i = 0; i < n; ++i) {
        DrawList& page = doc.pages[i];
        page.setPen(colors::Gray);
        page.line(150, kFooterY - 20, kPageWidth - 150, kFooterY - 20);
        page.setFont(fontOf(8, false, colors::Gray));
        page.text(150, kFooterY, "Centre " + std::to_string(centre) + " – " + campaign + " – édité le " + date);
        page.text(kPageWidth - 450, kFooterY, "Page " + std::to_string(i + 1) + " / " + std::to_string(n));
    }
    return doc;
}

}  // namespace pelo::ref
