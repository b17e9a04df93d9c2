#include "app/Menu1.h"
#include "app/Navigation.h"
#include "ui/Form.h"

namespace pelo {

void createForms(AppContext& ctx) {
    Forms& f = ctx.forms;
    // Start-up order; the first form is the main window.
    f.add(new TTMenu1(ctx));
}

void openCentreMenu(AppContext&) {
    // The centre menu is not built yet: "CENTRE" stops once the files are ready.
}

void openCountrySynthesis(AppContext& ctx) {
    ctx.ui.information(QString::fromUtf8("L'écran « SYNTHESE PAYS » n'est pas encore disponible."));
}

void openReferences(AppContext& ctx) {
    ctx.ui.information(QString::fromUtf8("L'écran « REFERENCES » n'est pas encore disponible."));
}

}  // namespace pelo
