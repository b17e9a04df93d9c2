#pragma once
// « Comparaison des centres »: the nine indicators of care of every centre of
// the pooled file of the working folder, adjusted for its patients, as a
// table (a mark outside the limits, better or worse in words and colour) and,
// for the indicator clicked, its funnel. Printable; « Export tableur »;
// « Rapports des centres ».

#include <cstdint>
#include <string>

#include "ref/Comparison.h"
#include "ui/Form.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace pelo {
class CountryWorkspace;
namespace ui {
class Canvas;
}

class TFCentres : public Form {
    Q_OBJECT
public:
    TFCentres(AppContext& ctx, CountryWorkspace& country);

    // Reads the workspace's pooled file in the working folder with its
    // reference year (the year of most sheets when none was chosen).
    void Activate();
    // The indicator (1 to 9) whose funnel is drawn, with a centre chosen (0: none).
    void ShowIndicator(int indicator, std::int32_t centre);
    // The indicator and centre shown when the window opens next (its cell current in the table).
    void preselect(int indicator, std::int32_t centre);
    void TCentresClick(int row, int column);
    void BImprimerClick();
    void BExportClick();
    // « Rapports des centres »: one PDF per centre in a chosen folder, the
    // bands of the campaign's stored synthesis on page 2 when it exists.
    void BRapportsClick();

    const ref::Comparison& comparison() const { return comparison_; }
    int indicator() const { return indicator_; }
    const std::string& campaign() const { return campaign_; }
    // The tooltip of the point under (x, y) of the chart's drawing space.
    QString pointTip(int x, int y) const;

    QLabel* LPool;
    QTableWidget* TCentres;
    ui::Canvas* Graphe;
    QLabel* LLegende;
    QPushButton* BImprimer;
    QPushButton* BExport;
    QPushButton* BRapports;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CountryWorkspace& country_;
    ref::Comparison comparison_;
    std::string campaign_;
    int indicator_ = 5;
    std::int32_t centre_ = 0;
};

}  // namespace pelo
