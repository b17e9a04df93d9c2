#pragma once
// Variability between centres: the bands of a stored synthesis for the
// country and the chosen centre, the chart of a section, the chart of one
// band across all centres (two can be compared one above the other), and the
// printed list.

#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"

class QListWidget;
class QPushButton;

namespace pelo {
namespace ui {
class Canvas;
}
namespace ref {
struct StoredSynthesis;
}

class TFVaria : public Form {
    Q_OBJECT
public:
    TFVaria(AppContext& ctx, CountryWorkspace& country);
    ~TFVaria() override;

    void BitBtn2Click();  // rebuilds the list and draws the HbA1c section
    void LVarClick();
    void Graf(int h);
    void BitBtn3Click();  // two-chart mode
    void BImpClick();
    // Funnel mode: a band click draws the band's funnel instead of its bars.
    void BEntonnoirClick();
    void BAlertesClick();
    void BRapportsClick();
    void BExportClick();
    // Draws the funnel of a band line in funnel mode (the list's line selected).
    void showFunnel(int line);

    ui::Canvas* canvas() const { return Canvas1; }
    const std::vector<std::string>& lines() const { return lines_; }

    QListWidget* LVar;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BImp;
    QPushButton* BEntonnoir;
    QPushButton* BAlertes;
    QPushButton* BRapports;
    QPushButton* BExport;

    // The tooltip of the funnel's point under the mouse (empty elsewhere).
    QString funnelTipAt(QPoint widgetPos) const;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Widens the list to its longest line, the chart taking what is left.
    void fitList();
    ui::Canvas* Canvas1;
    std::unique_ptr<ref::StoredSynthesis> stored_;  // the records read last
    std::vector<std::string> lines_;
    int last_ = -1;
    int funnelLine_ = -1;  // the funnel shown, -1 for none

private:
    CountryWorkspace& country_;
};

}  // namespace pelo
