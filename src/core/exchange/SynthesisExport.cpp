#include "exchange/SynthesisExport.h"

#include "store/Text.h"

namespace pelo::exchange {

using formats::Column;
using formats::ColumnType;
using formats::kMissing;
using formats::Table;

namespace {
Column column(std::string name, std::string label, ColumnType type, std::string unit = {}) {
    Column c;
    c.name = std::move(name);
    c.label = std::move(label);
    c.type = type;
    c.unit = std::move(unit);
    return c;
}
// The stem of a synthesis's name: "SynFr97.Atx" -> "SynFr97".
std::string campaignOf(const std::string& name) {
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
double percentOrMissing(std::uint32_t x, std::uint32_t n) {
    return n == 0 ? kMissing : double(percentOf(x, n).tenths()) / 10.0;
}
std::string bandLabel(const ref::Funnel& f) {
    return f.section.empty() ? f.title : trimSpaces(f.section) + " : " + trimSpaces(f.title);
}
}  // namespace

Table wideSynthesisTable(const ref::Benchmark& b) {
    Table t;
    Column campaign = column("Campagne", "Campagne (synthèse)", ColumnType::Text);
    Column centre = column("Centre", "Centre (0 : le pays)", ColumnType::Integer);
    centre.codes = {{0, "Pays"}};
    Column fibs = column("Fiches", "Fiches de la synthèse", ColumnType::Integer);
    t.columns = {campaign, centre, fibs};
    for (const ref::Funnel& f : b.bands) {
        Column p = column("L" + std::to_string(f.line), bandLabel(f) + " (%)", ColumnType::Real, "%");
        p.missing = "dénominateur nul";
        t.columns.push_back(std::move(p));
        t.columns.push_back(column("L" + std::to_string(f.line) + "_d", bandLabel(f) + " : dénominateur (fiches)",
                                   ColumnType::Integer));
    }
    const std::size_t centres = b.bands.empty() ? 0 : b.bands.front().centres.size();
    auto addRow = [&](double number, std::uint32_t total, auto countOf, auto denominatorOf) {
        t.columns[0].texts.push_back(campaignOf(b.name));
        t.columns[1].numbers.push_back(number);
        t.columns[2].numbers.push_back(total);
        for (std::size_t k = 0; k < b.bands.size(); ++k) {
            const std::uint32_t x = countOf(b.bands[k]), n = denominatorOf(b.bands[k]);
            t.columns[3 + 2 * k].numbers.push_back(percentOrMissing(x, n));
            t.columns[4 + 2 * k].numbers.push_back(n);
        }
        ++t.rows;
    };
    addRow(
        0, b.total, [](const ref::Funnel& f) { return f.count; }, [](const ref::Funnel& f) { return f.total; });
    for (std::size_t i = 0; i < centres; ++i) {
        const ref::FunnelCentre& c = b.bands.front().centres[i];
        addRow(
            c.centre, c.n, [i](const ref::Funnel& f) { return f.centres[i].x; },
            [i](const ref::Funnel& f) { return f.centres[i].n; });
    }
    return t;
}

Table benchmarkTable(const ref::Benchmark& b) {
    Table t;
    t.columns = {column("Centre", "Centre", ColumnType::Integer),
                 column("Ligne", "Ligne de bande de la liste de variabilité", ColumnType::Integer),
                 column("Libelle", "Libellé de la bande", ColumnType::Text),
                 column("Numerateur", "Fiches de la bande dans le centre", ColumnType::Integer),
                 column("Denominateur", "Fiches du centre", ColumnType::Integer),
                 column("Pourcentage", "Pourcentage du centre", ColumnType::Real, "%"),
                 column("Bas95", "Limite basse 95 %", ColumnType::Real, "%"),
                 column("Haut95", "Limite haute 95 %", ColumnType::Real, "%"),
                 column("Bas998", "Limite basse 99,8 %", ColumnType::Real, "%"),
                 column("Haut998", "Limite haute 99,8 %", ColumnType::Real, "%"),
                 column("Position", "Position du centre dans l'entonnoir", ColumnType::Integer)};
    t.columns[10].codes = {{-2, "en dessous de la limite basse 99,8 %"},
                           {-1, "en dessous de la limite basse 95 %, dans les limites 99,8 %"},
                           {0, "dans les limites 95 %"},
                           {1, "au-dessus de la limite haute 95 %, dans les limites 99,8 %"},
                           {2, "au-dessus de la limite haute 99,8 %"}};
    for (std::size_t k = 6; k <= 9; ++k) t.columns[k].missing = "centre sans fiche";
    const std::size_t centres = b.bands.empty() ? 0 : b.bands.front().centres.size();
    auto limit = [](double fraction) {
        std::int64_t tenths = 0;
        return parseTenths(ref::percentText(fraction), tenths) ? double(tenths) / 10.0 : kMissing;
    };
    for (std::size_t i = 0; i < centres; ++i)
        for (const ref::Funnel& f : b.bands) {
            const ref::FunnelCentre& c = f.centres[i];
            t.columns[0].numbers.push_back(c.centre);
            t.columns[1].numbers.push_back(f.line);
            t.columns[2].texts.push_back(f.title);
            t.columns[3].numbers.push_back(c.x);
            t.columns[4].numbers.push_back(c.n);
            t.columns[5].numbers.push_back(double(percentOf(c.x, c.n).tenths()) / 10.0);
            t.columns[6].numbers.push_back(c.limits ? limit(c.limits->lo95) : kMissing);
            t.columns[7].numbers.push_back(c.limits ? limit(c.limits->hi95) : kMissing);
            t.columns[8].numbers.push_back(c.limits ? limit(c.limits->lo998) : kMissing);
            t.columns[9].numbers.push_back(c.limits ? limit(c.limits->hi998) : kMissing);
            t.columns[10].numbers.push_back(c.position);
            ++t.rows;
        }
    return t;
}

}  // namespace pelo::exchange
