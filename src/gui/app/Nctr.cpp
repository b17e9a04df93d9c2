#include "app/Nctr.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "store/Centre.h"
#include "ui/Look.h"

namespace pelo {

TNctrDlg::TNctrDlg(AppContext& ctx) : Form(ctx, "TNctrDlg", QString::fromUtf8("Numéro de Centre")) {
    setScalable(true);  // readable on a large screen, like the forms
    setFixedSize(380, 150);
    setScalable(true);  // as large as the forms it opens over
    auto* prompt = addLabel("Label1", QString::fromUtf8("Indiquez votre numéro de centre :"), 20, 16, 340, 22);
    QFont f = prompt->font();
    f.setPointSize(10);
    prompt->setFont(f);

    NEdit = addEdit("NEdit", QString::fromUtf8("Numéro de centre"), 20, 44, 120, 26);
    NEdit->setMaxLength(4);
    NEdit->setFont(f);
    look::setBase(NEdit, look::kAqua);
    prompt->setBuddy(NEdit);

    OKBtn = addButton("OKBtn", "OK", 150, 100, 100, 30);
    CancelBtn = addButton("CancelBtn", "Annuler", 260, 100, 100, 30);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TNctrDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TNctrDlg::CancelBtnClick);
    setTabChain({NEdit, OKBtn, CancelBtn});
}

void TNctrDlg::clear() {
    NEdit->clear();
    chosen_.reset();
}

QString TNctrDlg::typedText() const { return NEdit->text().trimmed(); }

void TNctrDlg::OKBtnClick() {
    const auto parsed = centre::parseCentreNumber(NEdit->text().toStdString());
    switch (parsed.kind) {
    case centre::CentreEntry::Empty: break;
    case centre::CentreEntry::Invalid:
        ui().error(QString::fromUtf8("Numéro de centre incorrect"));
        NEdit->setFocus();
        NEdit->selectAll();
        return;
    case centre::CentreEntry::Number: chosen_ = parsed.number; break;
    }
    accept();
}

void TNctrDlg::CancelBtnClick() { reject(); }

}  // namespace pelo
