#pragma once
// Comparison table: the HbA1c bands of France, the hospitals and private
// practice side by side.

#include "ui/Form.h"

class QPushButton;
class QTableWidget;

namespace pelo {

class TFCompar : public Form {
    Q_OBJECT
public:
    explicit TFCompar(AppContext& ctx);
    // Fills the grid when the comparison is enabled.
    void Activate();
    QTableWidget* SComp;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void sizeColumns(double f);
};

}  // namespace pelo
