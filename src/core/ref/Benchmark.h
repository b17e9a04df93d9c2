#pragma once
// The benchmark of the centres of a stored synthesis: the funnel of every
// band line and of the nine standard indicators, computed once and shared by
// the spreadsheet export and the feedback report of each centre.

#include <array>
#include <string>
#include <vector>

#include "eval/Objectives.h"
#include "print/Surface.h"
#include "ref/Funnel.h"

namespace pelo::ref {

struct Benchmark {
    std::string name;  // "SynFr97.Atx"
    std::uint16_t total = 0;
    std::vector<Funnel> bands;                               // every band line, in list order
    std::array<Funnel, eval::kObjectiveCount> indicators{};  // objectives rows 1 to 9

    // A centre's entry in a funnel; nullptr when it is not in the synthesis.
    static const FunnelCentre* centreIn(const Funnel& f, std::int32_t centre);
};

// The funnel of an indicator: x the FIBs that meet it (for the measured one,
// the FIBs where the measure was made), over the centre's FIBs.
Funnel indicatorFunnel(const StoredSynthesis& s, int objective);

Benchmark benchmarkOf(const StoredSynthesis& s);

// One row per (centre, band line), centres in increasing order: centre;
// ligne; libellé; numérateur; dénominateur; pourcentage; the four limits;
// position. UTF-8 with its mark, ";" between fields, decimal comma, CRLF.
std::string benchmarkCsv(const Benchmark& b);
IoStatus writeTextFile(const std::string& path, const std::string& text);

// "Rapport-SynFr97-centre12.pdf": the synthesis's name without its extension.
std::string reportFileName(const std::string& synthesisName, std::int32_t centre);

// The feedback report of a centre, A4 pages at 300 dpi: the nine indicators
// beside the country with their limits, position and a small funnel each,
// then the bands where the centre is outside the 95 % limits. `date` is
// printed as given ("09/12/2026").
PrintDocument centreReport(const Benchmark& b, std::int32_t centre, const std::string& date);

}  // namespace pelo::ref

namespace pelo::ref {
// The funnel of one band on a page of its own, for "Impression" in the
// variability window's funnel mode.
PrintDocument funnelPrintout(const Funnel& f, const std::string& synthesisName, std::int32_t chosenCentre);
}  // namespace pelo::ref
