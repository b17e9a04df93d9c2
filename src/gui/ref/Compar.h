#pragma once
// Comparison table: the HbA1c bands of France, the hospitals and private
// practice side by side.

#include <array>

#include "ui/Form.h"

class QPushButton;
class QTableWidget;

namespace pelo {

class TFCompar : public Form {
    Q_OBJECT
public:
    TFCompar(AppContext& ctx, CountryWorkspace& country);
    // Fills the grid when the comparison is enabled.
    void Activate();
    QTableWidget* SComp;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void sizeColumns(double f);
    // Each column pair headed by its synthesis and its number of FIBs.
    void setHeadings(const std::array<QString, 3>& counts);

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
