#pragma once
// The run's state, split by what it serves. The application owns one of each
// and hands a screen only those it works on, by reference, when the screens
// are created: the centre session, the evaluation state, the country
// workspace; every screen may read the run settings.

#include <array>
#include <cstdint>
#include <string>

#include "store/FibRecord.h"
#include "store/Units.h"
#include "ui/CountryWorkspace.h"

namespace pelo {

inline const std::string kFibFile = "FIB.DAT";
inline const std::string kPracticeFile = "ESSAIFIB.DAT";

// What the centre's screens share while they work on a record file: the file
// in use, the header's copies, the centre's units, the one record buffer and
// the entry flags (menus, identification dialogs, entry pages, reviews).
struct CentreSession {
    FibRecord buffer{};       // the one record in memory: the header or a FIB
    std::string CurrentFile;  // "FIB.DAT", or "ESSAIFIB.DAT" in training
    std::int32_t CurrentYear = 0;
    std::uint16_t CurrentCentre = 0;
    std::uint16_t CurrentFib = 0;     // NbFiches, or the number of the FIB being edited
    std::uint16_t SavedFibCount = 0;  // NbFiches put aside while a FIB is edited
    bool ShowCheckMessages = false;
    bool ReadPage2Entries = false;
    bool EditingExisting = false;
    bool Training = false;  // entry training on the practice file
    // The numbers of the sheet on the entry pages (page 1 shows them): a new
    // sheet's is the number it will get.
    int SheetCentre = 0;
    int SheetNumber = 0;

    // Centre identification (centre menu).
    std::uint16_t RegionCode = 0;
    std::uint16_t DepartmentCode = 0;
    std::uint16_t StructureCode = 0;
    // Glycémie, Créatinine, Microalbuminurie, Protéinurie, Cholestérol, HDL, Triglycérides.
    std::array<std::uint16_t, 7> UnitCodes{};

    // The identification a header holds (region, department, structure).
    void takeIdentification(const CentreHeader& h) {
        RegionCode = h.region();
        DepartmentCode = h.department();
        StructureCode = h.get(fld::Specialite);
    }
    void forgetIdentification() { RegionCode = DepartmentCode = StructureCode = 0; }
    // The upper bound of years: the year taken at "CENTRE", this year before.
    std::int32_t yearOfChecks() const { return CurrentYear > 0 ? CurrentYear : currentYear(); }
};

// Check messages off while it lives, then as they were: a silent run inside
// another one stays silent.
class SilentChecks {
public:
    explicit SilentChecks(CentreSession& s) : s_(s), was_(s.ShowCheckMessages) { s.ShowCheckMessages = false; }
    ~SilentChecks() { s_.ShowCheckMessages = was_; }
    SilentChecks(const SilentChecks&) = delete;
    SilentChecks& operator=(const SilentChecks&) = delete;

private:
    CentreSession& s_;
    bool was_;
};

// The evaluation menu's filter and what its last centre synthesis counted.
struct EvaluationState {
    std::uint8_t EvalFilter = 0;       // 0 all FIBs, 1 type 1, 2 type 2
    std::uint32_t EvaluatedCount = 0;  // FIBs counted by the last synthesis; 0 = none yet

    bool evaluated() const { return EvaluatedCount != 0; }
    void forget() { EvaluatedCount = 0; }
};

// What lasts for the whole run and any screen may read: the main window's two
// preferences, and today's date as the sheets and reports show it.
struct RunSettings {
    bool ColourPreference = false;  // background painting
    bool CardReaderOn = false;      // the health-card reader question's answer
    std::string Today;              // tests may set it; empty: the system date

    std::string today() const { return Today.empty() ? todayText() : Today; }
};

// One of each, as the application and the tests own them.
struct Sessions {
    RunSettings run;
    CentreSession centre;
    EvaluationState evaluation;
    CountryWorkspace country;
};

}  // namespace pelo
