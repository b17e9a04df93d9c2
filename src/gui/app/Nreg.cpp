#include "app/Nreg.h"

#include "store/Centre.h"

namespace pelo {

TNRegDlg::TNRegDlg(AppContext& ctx, CentreSession& session)
    : ChoiceDlg(ctx, "TNRegDlg", QString::fromUtf8("Région"), QString::fromUtf8("Choisir une Région :"), "CReg", 22),
      session_(session) {
    std::vector<std::string> names;
    for (const auto& r : centre::regions()) names.emplace_back(r.name);
    setItems(names);
}

void TNRegDlg::choose(int index, const QString&) { session_.RegionCode = static_cast<std::uint16_t>(index + 1); }

}  // namespace pelo
