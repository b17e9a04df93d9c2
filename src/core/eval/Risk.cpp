#include "eval/Risk.h"

#include "store/Text.h"
#include "store/Units.h"

namespace pelo::risk {

std::vector<RiskLabel> riskLabels() {
    auto labels = riskProfile(headerTemplate(), {3, 3, 3, 3, 3, 3, 3}).labels;
    for (auto& l : labels) l.shown = false;
    return labels;
}

const RiskLabel* RiskProfile::find(const std::string& name) const {
    for (const auto& l : labels)
        if (name == l.name) return &l;
    return nullptr;
}

RiskProfile riskProfile(const FibRecord& r, const std::array<std::uint16_t, 7>& units) {
    RiskProfile p;
    auto add = [&p](const char* name, const char* text, bool risk, bool shown) {
        p.labels.push_back(RiskLabel{name, text, risk, shown});
        if (shown) ++p.count;
    };

    const std::int32_t syst = r.get(fld::TaSyst), diast = r.get(fld::TaDiast);
    add("Label1", " FUMEUR ", true, r.get(fld::Tabac) == 1);
    add("Label2", " TA systolique > 160 ", true, syst >= 161);
    add("Label16", " Tension systolique non surveillée ", false, isEmpty(syst));
    add("Label3", " TA diastolique > 90 ", true, diast >= 91);
    add("Label17", " Tension diastolique non surveillée ", false, isEmpty(diast));

    // Cholesterol: 6.5 mmol/l, 2.6 g/l, 260 mg/dl; no limit for another unit code.
    const float chol = r.get(fld::Cholesterol);
    const auto cholLimit = units::cholesterolRiskLimit(units[kUnitChol]);
    const bool cholHigh = cholLimit && isMeasure(chol) && greaterThan(chol, *cholLimit);
    add("Label4", " CHOLESTEROL > 6.5  mmol/l ", true, cholHigh);
    add("Label14", " CHOLESTEROL non surveillé ", false, isEmpty(chol));

    // Triglycerides compared as stored, except mg/dl brought to mmol/l first.
    const float trig = r.get(fld::Triglycerides);
    const float trigMmol =
        units[kUnitTrig] == 5 && !isEmpty(trig) ? toSingle(double(trig) * units::toMmol(kUnitTrig, 5)) : trig;
    add("Label5", " TRIGLYCERIDES > 2  mmol/l ", true, isMeasure(trig) && greaterThan(trigMmol, 2.0));
    add("Label13", " TRIGLYCERIDES non surveillés ", false, isEmpty(trig));

    const float hba1c = r.get(fld::HbA1c);
    add("Label6", " HbA1C > 8  ", true, isMeasure(hba1c) && greaterThan(hba1c, 8.0));
    add("Label12", " HbA1C non surveillée ", false, isEmpty(hba1c));

    // A stored height of 0 leaves the index undefined: counted as not monitored.
    const std::int32_t weight = r.get(fld::Poids), height = r.get(fld::Taille);
    const bool bmiUnknown = isEmpty(weight) || isEmpty(height) || height == 0;
    if (!bmiUnknown) {
        const double m = height * 0.01;
        p.bmi = toSingle(weight / (m * m));
    }
    add("Label7", " BMI > 27 ", true, p.bmi && *p.bmi > 27.0f);
    add("Label15", " BMI non surveillé ", false, bmiUnknown);

    const float micro = r.get(fld::Microalb), prot = r.get(fld::Proteinurie);
    add("Label11", " ATTEINTE RENALE ", true,
        (isMeasure(micro) && greaterThan(micro, 300)) || (isMeasure(prot) && greaterThan(prot, 0.5)));
    add("Label19", " Microalbuminurie non dosée ", false, isEmpty(micro) && isEmpty(prot));

    add("Label8", " Examen des YEUX  non fait ", false, r.get(fld::ExamYeux) != 1);
    add("Label10", " Examen des PIEDS non fait ", false, r.get(fld::ExamPieds) != 1);

    p.gauge = p.count < kGaugeMax ? p.count : kGaugeMax;
    return p;
}

}  // namespace pelo::risk
