#pragma once
// Risk screen: the risk factors and the missing measurements of one FIB,
// label pairs placed at the same spot, a gauge of their number and the FIB
// number. Used for the sheet on entry page 1 and by the review of all FIBs.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/FibRecord.h"
#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace pelo {

class TFRisque : public Form {
    Q_OBJECT
public:
    TFRisque(AppContext& ctx, CentreSession& session);

    // Applies the risk rules to a record and shows the result with its FIB number.
    void fill(const FibRecord& r, const std::array<std::uint16_t, 7>& units, int fibNumber);
    // The same for the record in the session's buffer, with the centre's units.
    void fillCurrent(int fibNumber) { fill(session_.buffer, session_.UnitCodes, fibNumber); }
    // Shows the labels named (e.g. "Label1"), the gauge at `count`, the number.
    void showLabels(const std::vector<std::string>& shown, int count, int fibNumber);

    // "FIB Suivant" is usable only while all FIBs are reviewed.
    void setReviewing(bool on);
    // Every FIB of the current file in turn, annulled ones included, until "Retour".
    void reviewAll();

    // "Retour" closes the screen with Rejected (a review ends), "FIB Suivant"
    // with Accepted (the review goes on).
    void BitBtn1Click();
    void BitBtn2Click();

private:
    std::vector<QLabel*> labels_;
    QProgressBar* Gauge1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

private:
    CentreSession& session_;
};

}  // namespace pelo
