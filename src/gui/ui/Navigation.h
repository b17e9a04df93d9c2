#pragma once
// The one way from a form to another: each function opens a screen or asks
// through a dialog, handing over what the screen needs and returning what was
// chosen. Implemented where every form is known (app/Forms.cpp), so that no
// form depends on the screens it opens.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pelo {
struct AppContext;
namespace eval {
struct SynthesisResult;
}
namespace pool {
struct GroupeRecord;
}

// Main window.
void openCentreMenu(AppContext& ctx);
void openCountrySynthesis(AppContext& ctx);
void openReferences(AppContext& ctx);
// "À propos" (version, licence, where the files are).
void openAbout(AppContext& ctx);

// Centre menu: "EVALUATION" (after EvaluatedCount is set to 0) and "Sauvegarde / Echanges".
void openEvaluationMenu(AppContext& ctx);
void openBackup(AppContext& ctx);
void openNews(AppContext& ctx);
// Text page 3 to 7 (TTTexte3 ... TTTexte7), shown without blocking. Other numbers open nothing.
void openTextPage(AppContext& ctx, int page);
// The identification dialogs: each choice is written into the run-wide state
// (RegionCode, DepartmentCode among those of the region given, StructureCode,
// CurrentCentre); a dialog left without a choice leaves it as it stood.
void askRegion(AppContext& ctx);
void askDepartment(AppContext& ctx, int regionCode);
void askStructure(AppContext& ctx);
void askCentreNumber(AppContext& ctx);
// What is still missing of the centre's identification, asked and written
// into the header of the current file as "SAISIE" does; true unless a file error stopped it.
bool identifyCentre(AppContext& ctx);
// The units grid of that centre, choosing UnitCodes.
void openUnits(AppContext& ctx, std::uint16_t centreNumber);
// The record menu with the identification in effect, or as the practice file's ("  TEST").
void openRecordMenu(AppContext& ctx);
void openPracticeRecordMenu(AppContext& ctx);

// Evaluation menu: the evaluation screen and the objectives chart showing a
// synthesis (the screen modal), the objectives chart alone, the review of the
// risks of every FIB of the current file, the quality lists.
void showEvaluation(AppContext& ctx, const eval::SynthesisResult& r);
void openObjectives(AppContext& ctx);
void openRiskReview(AppContext& ctx);
void openQualityReview(AppContext& ctx);

// Country synthesis: its window, the two name dialogs (the proposed name in
// the edit; the name typed, empty when cancelled), the query dialog (true when
// validated; the criterion is the run's Query) and the groups' windows.
void openCountrySynthesisWindow(AppContext& ctx);
std::string askPoolFileName(AppContext& ctx, const std::string& proposed);
std::string askSubCollectionName(AppContext& ctx, const std::string& proposed);
bool askQuery(AppContext& ctx);
void openGroups(AppContext& ctx, const std::string& folder, const std::vector<pool::GroupeRecord>& groups);
void openGroupSyntheses(AppContext& ctx, const std::string& folder, const std::vector<pool::GroupeRecord>& groups);
// The centres of the pooled file NomFichierPool compared on the nine adjusted indicators.
void openCentreComparison(AppContext& ctx);

// References: a stored synthesis's records-per-centre screen (the synthesis
// and its title become the run's), the name of another synthesis (what the
// edit holds when the dialog closes, trimmed), the comparison table, and from
// the records screen the variability window and the standard indicators.
void openStoredSynthesis(AppContext& ctx, const std::string& file, const std::string& title);
std::string askSynthesisName(AppContext& ctx, const std::string& proposed);
void openComparison(AppContext& ctx);
void openVariability(AppContext& ctx);
void openStandardIndicators(AppContext& ctx);
// From the variability window: the centres outside their limits on the
// current synthesis (the line clicked: its band line and centre; nothing when
// closed), the centres' reports, and from the reference menu the evolution
// across the stored syntheses of the working folder.
struct AlertChoice {
    int line = 0;
    std::int32_t centre = 0;
    bool operator==(const AlertChoice&) const = default;
};
std::optional<AlertChoice> openAlerts(AppContext& ctx);
void openCentreReports(AppContext& ctx);
void openEvolution(AppContext& ctx);

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
#include <utility>

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
// The centre and FIB numbers page 1 shows: a new sheet's is the number it will get.
std::pair<int, int> entryPage1Numbers(AppContext& ctx);
FibUnitLabels entryPage1UnitLabels(AppContext& ctx);
// The risk screen (modal) on the buffer, with the FIB number to show.
void showRiskProfile(AppContext& ctx, int number);
// The chooser of a FIB number among `count` (modal); 0 when none was chosen.
std::uint16_t chooseFibNumber(AppContext& ctx, std::uint16_t count);
}  // namespace pelo
