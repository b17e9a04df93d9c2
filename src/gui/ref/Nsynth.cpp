#include "ref/Nsynth.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pelo {

TFNSynth::TFNSynth(AppContext& ctx) : Form(ctx, "TFNSynth", QString::fromUtf8("Synthèse ")) {
    setFixedSize(380, 150);
    auto* prompt = addLabel("Label1", QString::fromUtf8("Nom du fichier de synthèse"), 20, 16, 340, 22);
    QFont f = prompt->font();
    f.setPointSize(10);
    prompt->setFont(f);
    NomP = addEdit("NomP", QString::fromUtf8("Nom du fichier de synthèse"), 20, 44, 200, 26);
    NomP->setFont(f);
    prompt->setBuddy(NomP);
    OKBtn = addButton("OKBtn", "OK", 150, 100, 100, 30);
    CancelBtn = addButton("CancelBtn", "Annuler", 260, 100, 100, 30);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(NomP, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

}  // namespace pelo
