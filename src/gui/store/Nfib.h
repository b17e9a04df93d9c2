#pragma once
// Chooser of a FIB number: a scroll bar from 1 to the number of FIBs and a
// field that follows it and can be typed in. OK takes the number shown in
// the field; a number that is not a FIB of the file is refused.

#include <cstdint>

#include "ui/Form.h"

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace pelo {

class TNfibDlg : public Form {
    Q_OBJECT
public:
    explicit TNfibDlg(AppContext& ctx);

    // Ready for a file of `count` FIBs: scroll bar at 1, field "1".
    void prepare(std::uint16_t count);
    // The number accepted by OK; 0 after Cancel.
    std::uint16_t chosen() const { return chosen_; }

    void ScrollBar1Change(int position);
    void OKBtnClick();
    void CancelBtnClick();

private:
    std::uint16_t count_ = 0;
    std::uint16_t chosen_ = 0;
    QScrollBar* ScrollBar1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* NEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

}  // namespace pelo
