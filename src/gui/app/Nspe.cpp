#include "app/Nspe.h"

#include "store/Centre.h"

namespace pelo {

TNSpeDlg::TNSpeDlg(AppContext& ctx, CentreSession& session)
    : ChoiceDlg(ctx, "TNSpeDlg", "Structure de soins", "Choisir une Structure :", "CSpe", 8), session_(session) {
    std::vector<std::string> names;
    for (int c = 1; c <= centre::kStructureCount; ++c) names.push_back(centre::structureName(c));
    setItems(names);
}

void TNSpeDlg::choose(int index, const QString&) { session_.StructureCode = static_cast<std::uint16_t>(index + 1); }

}  // namespace pelo
