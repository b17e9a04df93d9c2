#include "app/Ndep.h"

#include "store/Centre.h"

namespace pelo {

TNDepDlg::TNDepDlg(AppContext& ctx, CentreSession& session)
    : ChoiceDlg(ctx, "TNDepDlg", QString::fromUtf8("Département"), QString::fromUtf8("Choisir un Département :"),
                "CDep", 9),
      session_(session) {}

void TNDepDlg::choose(int, const QString& text) {
    session_.DepartmentCode = centre::departmentCode(text.toStdString()).value_or(0);
}

}  // namespace pelo
