#pragma once
// The run-wide state shared by every screen: the current record buffer, the
// current file and numbers, the flags and the centre's settings. One instance
// is owned by the application and handed to each form by reference.

#include <array>
#include <cstdint>
#include <string>

#include "pool/Query.h"
#include "store/FibRecord.h"
#include "store/Units.h"

namespace pelo {

inline const std::string kFibFile = "FIB.DAT";
inline const std::string kPracticeFile = "ESSAIFIB.DAT";

struct RunState {
    FibRecord buffer{};       // the one record in memory: the header or a FIB
    std::string CurrentFile;  // "FIB.DAT", or "ESSAIFIB.DAT" in training
    std::int32_t CurrentYear = 0;
    std::uint16_t CurrentCentre = 0;
    std::uint16_t CurrentFib = 0;     // NbFiches, or the number of the FIB being edited
    std::uint16_t SavedFibCount = 0;  // NbFiches put aside while a FIB is edited
    bool ShowCheckMessages = false;
    bool ReadPage2Entries = false;
    bool EditingExisting = false;
    bool ColourPreference = false;
    bool CardReaderOn = false;
    bool Training = false;  // entry training on the practice file

    // Centre identification (centre menu).
    std::uint16_t RegionCode = 0;
    std::uint16_t DepartmentCode = 0;
    std::uint16_t StructureCode = 0;
    // Glycémie, Créatinine, Microalbuminurie, Protéinurie, Cholestérol, HDL, Triglycérides.
    std::array<std::uint16_t, 7> UnitCodes{};

    // Evaluation.
    std::uint8_t EvalFilter = 0;       // 0 all FIBs, 1 type 1, 2 type 2
    std::uint32_t EvaluatedCount = 0;  // FIBs counted by the last synthesis; 0 = none yet

    // Reference syntheses and variability between centres.
    std::string StoredSynthesis;          // index file of the synthesis shown ("SynFr97.Atx")
    std::string StoredTitle;              // its title
    std::int32_t ChosenCentre = 0;        // centre chosen on the records-per-centre chart (0: none)
    std::int32_t ChosenCentreCount = -1;  // and its count there
    std::uint8_t TwoCharts = 0;           // variability window: two-chart mode
    std::uint8_t LowerChartNext = 0;      // the next chart replaces the lower half
    std::uint16_t ChartOffset = 0;        // 0 or 200
    bool ComparisonEnabled = false;       // the comparison table fills itself

    // The working folder the user picked ("" = the current folder): one choice
    // for the run, shared by the country screens, the reference screens and
    // their printouts.
    std::string PoolFolder;
    // Country synthesis: the names typed in the name dialogs, the reference
    // year of the pooled synthesis and the criterion of the query dialog.
    std::string NomFichierPool;
    std::string NomSousCollection;
    std::int32_t AnneeReference = 0;
    pool::Criterion Query;

    // Today's date as the sheets show it; tests may set it.
    std::string Today;
};

}  // namespace pelo
