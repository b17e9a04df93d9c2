#pragma once
// Evaluation menu: the synthesis of all FIBs, of type 1 or of type 2, the
// objectives chart and the two reviews of the FIBs.

#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace pelo {

class TFPeval : public Form {
    Q_OBJECT
public:
    TFPeval(AppContext& ctx, CentreSession& session, EvaluationState& evaluation);

    void Button4Click();  // EVALUATION  GLOBALE
    void Button3Click();  // EVALUATION  Type 1
    void Button2Click();  // EVALUATION  Type 2
    void Button6Click();  // SUIVI  d'OBJECTIFS
    void Button7Click();  // RISQUES INDIVIDUELS
    void Button8Click();  // QUALITE des FICHES
    void BExportClick();  // every FIB of the centre for the statisticians
    void BitBtn1Click();
    // Counts FIB.DAT with the current EvalFilter and shows the evaluation screen.
    void Synthese();

    QPushButton* Button4;
    QPushButton* Button3;
    QPushButton* Button2;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* BExport;
    QPushButton* BitBtn1;

private:
    QLabel* Panel1;

private:
    CentreSession& session_;
    EvaluationState& evaluation_;
};

}  // namespace pelo
