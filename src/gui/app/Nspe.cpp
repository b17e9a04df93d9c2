#include "app/Nspe.h"

#include "store/Centre.h"

namespace pelo {

TNSpeDlg::TNSpeDlg(AppContext& ctx)
    : ChoiceDlg(ctx, "TNSpeDlg", "Structure de soins", "Choisir une Structure :", "CSpe", 8) {
    std::vector<std::string> names;
    for (int c = 1; c <= centre::kStructureCount; ++c) names.push_back(centre::structureName(c));
    setItems(names);
}

std::uint16_t TNSpeDlg::codeOf(int index, const QString&) const { return static_cast<std::uint16_t>(index + 1); }

}  // namespace pelo
