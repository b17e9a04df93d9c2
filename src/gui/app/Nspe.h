#pragma once
// Structure of care of the centre; the code is the list position + 1.

#include "app/ChoiceDlg.h"

namespace pelo {

class TNSpeDlg : public ChoiceDlg {
    Q_OBJECT
public:
    TNSpeDlg(AppContext& ctx, CentreSession& session);

protected:
    void choose(int index, const QString& text) override;

private:
    CentreSession& session_;
};

}  // namespace pelo
