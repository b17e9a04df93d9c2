#pragma once
// Evaluation screen: the synthesis list, the counts of FIBs by state, the
// bar charts of the sections, the FIB numbers of each band of a section
// (classes C1 to C12) and the printout and export of the synthesis.

#include <array>
#include <string>
#include <vector>

#include "eval/Synthesis.h"
#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pelo {

namespace ui {
class Canvas;
}
class LineList;

class TFEval : public Form {
    Q_OBJECT
public:
    TFEval(AppContext& ctx, CentreSession& session, EvaluationState& evaluation);

    // Before a synthesis: the class lists hidden, the charts due at the next paint.
    void prepareForSynthesis();
    // Writes the counts by state and the list lines of a synthesis.
    void showSynthesis(const eval::SynthesisResult& r);

    void Button1Click();  // paint handler: the first charts after a synthesis
    void Button2Click();  // Histogrammes
    void Button3Click();  // <<  >>
    void LVarClick();
    void LPatClick(int k);  // k from 0 (LPat1)
    void BImpClick();
    void BCsvClick();
    void BitBtn1Click();

    ui::Canvas* canvas() const { return Canvas1; }
    const std::vector<std::string>& lines() const { return lines_; }

    QLineEdit* Edit1;  // to review (red)
    QLineEdit* Edit2;  // incomplete (orange)
    QLineEdit* Edit3;  // complete (aqua)
    LineList* LVar;
    std::array<LineList*, 12> LPat{};
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* BImp;
    QPushButton* BCsv;
    QPushButton* BitBtn1;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void hideClasses();
    void clearDrawings();

    QLabel* Panel1;
    QLabel* Label1;
    ui::Canvas* Canvas1;
    eval::SynthesisResult result_;
    std::vector<std::string> lines_;
    int lastClicked_ = -1;
    int lastIndex_ = -1;     // last line added by the synthesis
    bool halfFlag_ = false;  // the flag of "<<  >>": false at start, true once the first half was asked for
    bool firstPaint_ = false;

private:
    CentreSession& session_;
    EvaluationState& evaluation_;
};

}  // namespace pelo
