#pragma once
// The risk profile of one FIB, as the risk screen TFRisque shows it: which
// label of each pair is shown, the count of shown labels and the gauge.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/FibRecord.h"

namespace pelo::risk {

struct RiskLabel {
    const char* name;  // "Label1"
    const char* text;  // " FUMEUR "
    bool risk;         // red text (a risk); white text marks a missing measure or examination
    bool shown;
};

struct RiskProfile {
    // The 17 labels, pair by pair from the top of the screen (risk label first).
    std::vector<RiskLabel> labels;
    int count = 0;             // labels shown
    int gauge = 0;             // count, stopped at the gauge's maximum of 10
    std::optional<float> bmi;  // computed when weight and height are known (height not 0)
    const RiskLabel* find(const std::string& name) const;
};

inline constexpr int kGaugeMax = 10;

// The 17 labels in screen order with their texts, none shown: what the screen lays out.
std::vector<RiskLabel> riskLabels();

// units: the run's UnitCodes (cholesterol entry 4, triglycerides entry 6).
RiskProfile riskProfile(const FibRecord& r, const std::array<std::uint16_t, 7>& units);

}  // namespace pelo::risk
