#pragma once
// Where the main window's buttons lead. Kept apart so that the main window
// does not depend on every screen it opens.

namespace pelo {
struct AppContext;

void openCentreMenu(AppContext& ctx);
void openCountrySynthesis(AppContext& ctx);
void openReferences(AppContext& ctx);
// Centre menu: "EVALUATION" (after EvaluatedCount is set to 0) and "Sauvegarde / Echanges".
void openEvaluationMenu(AppContext& ctx);
void openBackup(AppContext& ctx);
// Help page of a section of the FIB, modal: 1 to 8 for entry page 1, 10 to 14
// for entry page 2 (TTAide1 ... TTAide14). Other numbers open nothing.
void openHelp(AppContext& ctx, int page);
// Calls FIB number CurrentFib up on the entry pages for correction (AppelFib of the record menu).
void callUpFib(AppContext& ctx);
}  // namespace pelo

// Entry pages. The record menu opens page 1 (modal) on the buffer, loaded with
// both pages: a new sheet, shown with the number it will get and whose save
// tells `saved` its number; or FIB CurrentFib called up, its page-1 checks run
// silently. The pages reach each other and the risk screen through these.
#include <cstdint>
#include <functional>

class QString;
class QWidget;

namespace pelo {
struct FibUnitLabels;

void openNewSheet(AppContext& ctx, int centre, int number, std::function<void(int)> saved);
void openCalledUpSheet(AppContext& ctx, int centre, int number);
// Page 2 over page 1 ("SUITE"), and the full runs of each page's checks,
// silently (false when an entry is not a number).
void openEntryPage2(AppContext& ctx, QWidget* page1);
bool runEntryPage1Checks(AppContext& ctx);
bool runEntryPage2Checks(AppContext& ctx);
// What the printout of page 2 takes from page 1: the date as typed and the
// unit labels shown beside the laboratory values.
QString entryPage1Date(AppContext& ctx);
FibUnitLabels entryPage1UnitLabels(AppContext& ctx);
// The risk screen (modal) on the buffer, with the FIB number to show.
void showRiskProfile(AppContext& ctx, int number);
// The record menu's "Qualité des fiches": the FIBs of the file by state.
void openQualityReview(AppContext& ctx);
// The chooser of a FIB number among `count` (modal); 0 when none was chosen.
std::uint16_t chooseFibNumber(AppContext& ctx, std::uint16_t count);
}  // namespace pelo
