#include "app/Nreg.h"

#include "store/Centre.h"

namespace pelo {

TNRegDlg::TNRegDlg(AppContext& ctx)
    : ChoiceDlg(ctx, "TNRegDlg", QString::fromUtf8("Région"), QString::fromUtf8("Choisir une Région :"), "CReg", 22) {
    std::vector<std::string> names;
    for (const auto& r : centre::regions()) names.emplace_back(r.name);
    setItems(names);
}

std::uint16_t TNRegDlg::codeOf(int index, const QString&) const { return static_cast<std::uint16_t>(index + 1); }

}  // namespace pelo
