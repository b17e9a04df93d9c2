#pragma once
// Units of the centre's laboratory: a 7 x 8 grid whose columns 3 to 5 offer
// the units of each value; a click on an offered unit chooses it for its row
// (column 1 the unit, column 2 its code). "Sauver" takes column 2 of every
// row as the row's code; the close button leaves the codes in effect.

#include <array>
#include <cstdint>

#include "ui/Form.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace pelo {

class TFUnite : public Form {
    Q_OBJECT
public:
    explicit TFUnite(AppContext& ctx);

    // Header row and offered units, for the centre given; the choices of
    // columns 1 and 2 stay as they were. `codes` are those in effect.
    void prepare(std::uint16_t centreNumber, const std::array<std::uint16_t, 7>& codes = {});
    // The codes in effect: those given, with each row "Sauver" took.
    const std::array<std::uint16_t, 7>& codes() const { return codes_; }

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
    std::array<std::uint16_t, 7> codes_{};
};

}  // namespace pelo
