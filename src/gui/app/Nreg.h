#pragma once
// Region of the centre: the 26 regions; the region code is the list position + 1.

#include "app/ChoiceDlg.h"

namespace pelo {

class TNRegDlg : public ChoiceDlg {
    Q_OBJECT
public:
    explicit TNRegDlg(AppContext& ctx);

protected:
    std::uint16_t codeOf(int index, const QString& text) const override;
};

}  // namespace pelo
