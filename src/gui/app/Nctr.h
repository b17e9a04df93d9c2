#pragma once
// Centre number: 1 to 4 digits, 1 to 9999. OK with a correct number sets the
// run's centre number; an empty text leaves it as it stood; any other text is
// refused with "Numéro de centre incorrect" and the dialog stays open.

#include "ui/Form.h"

class QLineEdit;
class QPushButton;

namespace pelo {

class TNctrDlg : public Form {
    Q_OBJECT
public:
    TNctrDlg(AppContext& ctx, CentreSession& session);

    // Empties the number field.
    void clear();
    // The text typed, spaces removed.
    QString typedText() const;

    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* NEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    CentreSession& session_;
};

}  // namespace pelo
