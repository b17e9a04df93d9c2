#include "app/Ndep.h"

#include "store/Centre.h"

namespace pelo {

TNDepDlg::TNDepDlg(AppContext& ctx)
    : ChoiceDlg(ctx, "TNDepDlg", QString::fromUtf8("Département"), QString::fromUtf8("Choisir un Département :"),
                "CDep", 9) {}

std::uint16_t TNDepDlg::codeOf(int, const QString& text) const {
    return centre::departmentCode(text.toStdString()).value_or(0);
}

}  // namespace pelo
