#include "pool/NPays.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pelo {

NameDialog::NameDialog(AppContext& ctx, const QString& className, const QString& caption, const QString& text)
    : Form(ctx, className, caption) {
    setScalable(true);  // readable on a large screen, like the forms
    setFixedSize(400, 150);
    auto* prompt = addLabel("Label1", text, 20, 16, 360, 22);
    NomP = addEdit("NomP", caption, 20, 46, 240, 26);
    NomP->setMaxLength(64);
    prompt->setBuddy(NomP);
    OKBtn = addButton("OKBtn", "OK", 170, 100, 100, 30);
    CancelBtn = addButton("CancelBtn", "Annuler", 280, 100, 100, 30);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &NameDialog::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &NameDialog::CancelBtnClick);
    setTabChain({NomP, OKBtn, CancelBtn});
}

void NameDialog::propose(const QString& name) {
    typed_.clear();
    NomP->setText(name);
    NomP->selectAll();
    NomP->setFocus();
}

void NameDialog::OKBtnClick() {
    typed_ = NomP->text().trimmed().toStdString();
    accept();
}

void NameDialog::CancelBtnClick() { reject(); }

TFNPays::TFNPays(AppContext& ctx)
    : NameDialog(ctx, "TFNPays", "Nom de la Collection de Fiches",
                 QString::fromUtf8("FIB Pays Année . DAT    ( FIBFr97.DAT )")) {}

TFNScoll::TFNScoll(AppContext& ctx)
    : NameDialog(ctx, "TFNScoll", "Nom de la Sous-Collection de Fiches",
                 QString::fromUtf8("FIB Variable . DAT    ( FibNDID.Dat )")) {}

}  // namespace pelo
