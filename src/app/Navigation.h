#pragma once
// Where the main window's buttons lead. Kept apart so that the main window
// does not depend on every screen it opens.

namespace pelo {
struct AppContext;

void openCentreMenu(AppContext& ctx);
void openCountrySynthesis(AppContext& ctx);
void openReferences(AppContext& ctx);
}  // namespace pelo
