#pragma once
// Region of the centre: the 26 regions; the region code is the list position + 1.

#include "app/ChoiceDlg.h"

namespace pelo {

class TNRegDlg : public ChoiceDlg {
    Q_OBJECT
public:
    TNRegDlg(AppContext& ctx, CentreSession& session);

protected:
    void choose(int index, const QString& text) override;

private:
    CentreSession& session_;
};

}  // namespace pelo
