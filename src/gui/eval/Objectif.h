#pragma once
// The objectives chart: the centre's results beside the St-Vincent ideals,
// in a grid whose cells can be edited on screen (nothing is saved).

#include "eval/Synthesis.h"
#include "ui/Form.h"

class QPushButton;
class QTableWidget;

namespace pelo {

class TTObjectif : public Form {
    Q_OBJECT
public:
    TTObjectif(AppContext& ctx, EvaluationState& evaluation);

    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString& text);
    // Writes the cells of a grid that are not empty.
    void writeCells(const eval::ObjectivesGrid& g);
    // The centre's results of a synthesis, in their column.
    void writeResults(const eval::SynthesisResult& r);
    // The headings and ideals; "no evaluation" in the results column while
    // the run has evaluated no FIB.
    void writeHeadings();

    void BitBtn1Click();
    // Widens the columns (and the grid, centred) so that every text shows whole.
    void fitColumns();

    QTableWidget* Gril;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLabel* Panel1;

private:
    EvaluationState& evaluation_;
};

}  // namespace pelo
