#pragma once
// "Évolution": the bands of 2 to 12 stored syntheses of the working folder
// (campaigns), a column per campaign for the country and for a chosen centre,
// and the chart of one band across the campaigns.

#include <string>
#include <vector>

#include "ref/Trend.h"
#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace pelo {
namespace ui {
class Canvas;
}

class TFEvol : public Form {
    Q_OBJECT
public:
    TFEvol(AppContext& ctx, CountryWorkspace& country);

    void Activate();  // lists the stored syntheses of the working folder
    void BAfficherClick();
    void SEvolClick(int row);

    ui::Canvas* canvas() const { return Canvas1; }
    const std::vector<ref::TrendRow>& rows() const { return rows_; }

    QListWidget* LSyn;
    QLineEdit* ECentre;
    QPushButton* BAfficher;
    QTableWidget* SEvol;
    QLabel* LEtat;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    ui::Canvas* Canvas1;
    std::vector<std::string> names_;  // the campaigns shown
    std::vector<ref::TrendRow> rows_;
    std::int32_t centre_ = 0;

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
