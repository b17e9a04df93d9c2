#pragma once
// The bands of several stored syntheses (campaigns) side by side: the
// country's percentage in each, and a chosen centre's where it took part.

#include <optional>
#include <string>
#include <vector>

#include "ref/FunnelChart.h"
#include "ref/StoredSynthesis.h"
#include "store/Text.h"

namespace pelo::ref {

inline constexpr int kMaxCampaigns = 12;

struct TrendRow {
    int line = 0;
    std::string label;  // without its leading spaces
    std::vector<Percent> country;
    std::vector<std::optional<Percent>> centre;  // empty without a chosen centre
};

// One row per band line, in line order.
std::vector<TrendRow> trendRows(const std::vector<StoredSynthesis>& campaigns, std::int32_t centre);

// The series of a stored synthesis: its name without its digits, whatever the
// case ("SynFr96.Atx" and "SYNFr97.ATX" are one series, "SynHopi.Atx" another).
std::string seriesOf(const std::string& synthesisName);
// The first name whose series differs from the first one's; empty when all
// belong to one series.
std::string otherSeries(const std::vector<std::string>& synthesisNames);

// A name as the trend shows it: without its extension and its "SYN" prefix
// ("SYNFr95.ATX" -> "Fr95").
std::string campaignName(const std::string& synthesisName);

// The line chart of one band across the campaigns: the country in blue, the
// centre in red (its absences leave gaps).
void drawTrend(Surface& s, const TrendRow& row, const std::vector<std::string>& campaigns, std::int32_t centre,
               const ChartBox& box);

}  // namespace pelo::ref
