#pragma once
// Centre number: 1 to 4 digits, 1 to 9999. OK with a correct number chooses
// it; an empty text chooses nothing; any other text is refused with "Numéro
// de centre incorrect" and the dialog stays open.

#include <cstdint>
#include <optional>

#include "ui/Form.h"

class QLineEdit;
class QPushButton;

namespace pelo {

class TNctrDlg : public Form {
    Q_OBJECT
public:
    explicit TNctrDlg(AppContext& ctx);

    // Empties the number field and forgets the number chosen.
    void clear();
    // The number OK took since the last clearing.
    std::optional<std::uint16_t> chosen() const { return chosen_; }
    // The text typed, spaces removed.
    QString typedText() const;

    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* NEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    std::optional<std::uint16_t> chosen_;
};

}  // namespace pelo
