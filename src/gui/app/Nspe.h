#pragma once
// Structure of care of the centre; the code is the list position + 1.

#include "app/ChoiceDlg.h"

namespace pelo {

class TNSpeDlg : public ChoiceDlg {
    Q_OBJECT
public:
    explicit TNSpeDlg(AppContext& ctx);

protected:
    std::uint16_t codeOf(int index, const QString& text) const override;
};

}  // namespace pelo
