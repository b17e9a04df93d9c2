#pragma once
// Records-per-centre screen of a stored synthesis: the centres with their
// number of FIBs, a chart of the counts highest first with the centre chosen
// in the list in red, its printout, and the doors to the variability window
// and the standard indicators.

#include <vector>

#include "ref/References.h"
#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pelo {
namespace ui {
class Canvas;
}

class TFVis97 : public Form {
    Q_OBJECT
public:
    TFVis97(AppContext& ctx, CountryWorkspace& country);
    // The stored synthesis to show, and its title: the workspace's from now on.
    void choose(const std::string& file, const std::string& title) { country_.chooseSynthesis(file, title); }

    // On each opening: the selection cleared, the list and the chart built.
    void Activate();
    void LCtrClick();
    void BitBtn2Click();  // Variables
    void BGraphClick();   // Indicateurs standards
    void BitBtn3Click();  // Rosaces
    void BImpClick();
    void BitBtn1Click();

    ui::Canvas* canvas() const { return Canvas1; }
    const std::vector<ref::CentreCount>& bars() const { return bars_; }

    QLabel* Panel1;
    QLineEdit* Nctr;
    QListWidget* LCtr;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BGraph;
    QPushButton* BitBtn3;
    QPushButton* BImp;
    QLabel* LSurvol;  // the centre under the mouse

    // The centre and count of the bar at a point of the chart ("" for none).
    QString centreAt(const QPoint& pos);

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Reads the stored synthesis, fills the list and draws; false on a file error (shown).
    bool build();
    void reselect();
    ui::Canvas* Canvas1;
    std::vector<ref::CentreCount> bars_;

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
