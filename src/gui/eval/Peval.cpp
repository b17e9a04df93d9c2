#include "eval/Peval.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "eval/Synthesis.h"
#include "formats/RecordFile.h"
#include "ui/ExportFibs.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TFPeval::TFPeval(AppContext& ctx, CentreSession& session, EvaluationState& evaluation)
    : Form(ctx, "TFPeval", "EVALUATION"), session_(session), evaluation_(evaluation) {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(632, 453);
    look::setBackground(this, look::kNavy);

    Panel1 = addBanner("Panel1", QString::fromUtf8("EVALUATION du CENTRE"), 0, 0, 632, 65, look::kAqua);
    look::bannerFont(Panel1);

    // Two staggered columns of three.
    Button2 = addButton("Button2", "EVALUATION  Type 2", 112, 120, 201, 81);
    Button3 = addButton("Button3", "EVALUATION  Type 1", 72, 184, 201, 81);
    Button4 = addButton("Button4", "EVALUATION  GLOBALE", 32, 248, 201, 81);
    Button6 = addButton("Button6", "SUIVI  d'OBJECTIFS", 392, 120, 217, 81);
    Button7 = addButton("Button7", "RISQUES INDIVIDUELS", 352, 184, 217, 81);
    Button8 = addButton("Button8", "QUALITE des FICHES", 312, 248, 217, 81);
    // One size for the six, smaller when a caption would touch its button's
    // edges (a substitute font wider than Arial).
    QFont big("Arial");
    big.setPointSize(13);
    big.setBold(true);
    for (QPushButton* b : {Button2, Button3, Button4, Button6, Button7, Button8})
        while (big.pointSizeF() > 8 && QFontMetrics(big).horizontalAdvance(b->text()) > b->width() - 12)
            big.setPointSizeF(big.pointSizeF() - 0.5);
    for (QPushButton* b : {Button2, Button3, Button4, Button6, Button7, Button8}) b->setFont(big);
    BitBtn1 = addButton("BitBtn1", "Retour", 24, 400, 89, 33);
    BExport = addButton("BExport", QString::fromUtf8("Exporter les fiches…"), 392, 400, 217, 33);

    connect(Button4, &QPushButton::clicked, this, &TFPeval::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TFPeval::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TFPeval::Button2Click);
    connect(Button6, &QPushButton::clicked, this, &TFPeval::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TFPeval::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TFPeval::Button8Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFPeval::BitBtn1Click);
    connect(BExport, &QPushButton::clicked, this, &TFPeval::BExportClick);
    // Down the left column, then down the right one.
    setTabChain({Button2, Button3, Button4, Button6, Button7, Button8, BExport, BitBtn1});
    Button4->setDefault(true);
}

void TFPeval::Button4Click() {
    evaluation_.EvalFilter = 0;
    Synthese();
}

void TFPeval::Button3Click() {
    evaluation_.EvalFilter = 1;
    Synthese();
}

void TFPeval::Button2Click() {
    evaluation_.EvalFilter = 2;
    Synthese();
}

void TFPeval::Synthese() {
    CentreSession& s = session_;
    evaluation_.forget();

    eval::SynthesisResult r;
    if (auto e = eval::runCentreSynthesis(kFibFile, evaluation_.EvalFilter, s.yearOfChecks(), r)) return ioError(*e);
    s.CurrentCentre = r.centre;
    s.CurrentFib = r.nbFiches;
    evaluation_.EvaluatedCount = r.evaluated;
    if (r.evaluated == 0) return;
    nav().evaluation().showSynthesis(r);
}

void TFPeval::Button6Click() { nav().evaluation().openObjectives(); }

void TFPeval::Button7Click() { nav().evaluation().reviewRisks(); }

void TFPeval::Button8Click() { nav().evaluation().reviewQuality(); }

void TFPeval::BExportClick() { exportFibsFrom(*this, kFibFile, QStringLiteral("FIB-fiches.csv")); }

void TFPeval::BitBtn1Click() { accept(); }

}  // namespace pelo
