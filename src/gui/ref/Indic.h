#pragma once
// Standard indicators of a stored synthesis: the nine indicators of the
// objectives chart for the country and the chosen centre, beside the ideal.

#include "ui/Form.h"

class QPushButton;

namespace pelo {
namespace ui {
class Canvas;
}

class TFIndic : public Form {
    Q_OBJECT
public:
    TFIndic(AppContext& ctx, CountryWorkspace& country);
    // Reads the stored synthesis and draws the chart.
    void Activate();
    ui::Canvas* canvas() const { return Canvas1; }
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    ui::Canvas* Canvas1;

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
