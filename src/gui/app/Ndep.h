#pragma once
// Department of the centre, among those of its region (filled by the caller);
// the code stored is the converted text ("2B" -> 102, "971" -> 96).

#include "app/ChoiceDlg.h"

namespace pelo {

class TNDepDlg : public ChoiceDlg {
    Q_OBJECT
public:
    explicit TNDepDlg(AppContext& ctx);

protected:
    std::uint16_t codeOf(int index, const QString& text) const override;
};

}  // namespace pelo
