#pragma once
// The evaluation menu and what it opens: the evaluation screen and the
// objectives chart showing a synthesis (the screen modal), the objectives
// chart alone, the review of the risks of every FIB of the current file and
// the quality lists.

namespace pelo {
namespace eval {
struct SynthesisResult;
}

class EvaluationNavigation {
public:
    virtual ~EvaluationNavigation() = default;

    virtual void openMenu() = 0;
    virtual void showSynthesis(const eval::SynthesisResult& r) = 0;
    virtual void openObjectives() = 0;
    virtual void reviewRisks() = 0;
    virtual void reviewQuality() = 0;
};

}  // namespace pelo
