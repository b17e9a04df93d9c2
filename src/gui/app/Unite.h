#pragma once
// Units of the centre's laboratory: a 7 x 8 grid whose columns 3 to 5 offer
// the units of each value; a click on an offered unit chooses it for its row
// (column 1 the unit, column 2 its code). "Sauver" takes column 2 of every
// row as the row's code; the close button leaves the codes in effect.

#include "ui/Form.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace pelo {

class TFUnite : public Form {
    Q_OBJECT
public:
    TFUnite(AppContext& ctx, CentreSession& session);

    // Header row and offered units, for the centre given; the choices of
    // columns 1 and 2 stay as they were.
    void prepare(std::uint16_t centreNumber);

    // A mouse button released over cell (row, col).
    void SUniMouseUp(int row, int col);
    void Button1Click();
    void BitBtn1Click();

    // The unit text last clicked.
    QString lastChosen() const { return lastChosen_; }

    QTableWidget* SUni;
    QPushButton* Button1;
    QPushButton* BitBtn1;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString lastChosen_;

private:
    CentreSession& session_;
};

}  // namespace pelo
