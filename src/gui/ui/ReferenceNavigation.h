#pragma once
// The reference menu and what it opens: a stored synthesis's records-per-centre
// screen (the synthesis and its title become the workspace's), the name of
// another synthesis (what the edit holds when the dialog closes, trimmed), the
// comparison table, the evolution across the stored syntheses, and from the
// records screen the variability window and the standard indicators; from the
// variability window the centres outside their limits (the line clicked;
// nothing when closed), the funnel of an adjusted indicator with a centre
// chosen, and the centres' reports.

#include <cstdint>
#include <optional>
#include <string>

namespace pelo {

// The alert clicked: a band line and a centre, or (line 0) one of the nine
// adjusted indicators (1 to 9) and a centre.
struct AlertChoice {
    int line = 0;
    std::int32_t centre = 0;
    int indicator = 0;
    bool operator==(const AlertChoice&) const = default;
};

class ReferenceNavigation {
public:
    virtual ~ReferenceNavigation() = default;

    virtual void openMenu() = 0;
    virtual void openStoredSynthesis(const std::string& file, const std::string& title) = 0;
    virtual std::string askSynthesisName(const std::string& proposed) = 0;
    virtual void openComparison() = 0;
    virtual void openEvolution() = 0;
    virtual void openVariability() = 0;
    virtual void openStandardIndicators() = 0;
    virtual std::optional<AlertChoice> openAlerts() = 0;
    // « Comparaison des centres » opened on an indicator's funnel, the centre chosen.
    virtual void openIndicatorFunnel(int indicator, std::int32_t centre) = 0;
    virtual void openCentreReports() = 0;
};

}  // namespace pelo
