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
