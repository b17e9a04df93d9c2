#include "pool/Synt1.h"

#include <QLabel>
#include <QPushButton>

#include "pool/PoolSynthesis.h"
#include "ui/Look.h"
#include "ui/Navigation.h"
#include "ui/Picture.h"

namespace pelo {

TForm1::TForm1(AppContext& ctx, CountryWorkspace& country) : Form(ctx, "TForm1", "SYNTHESE"), country_(country) {
    setFixedSize(640, 480);
    setScalable(true);
    look::setBackground(this, look::kGrey);

    Panel1 = addBanner("Panel1", QString::fromUtf8("Synthèse des fiches d'un Pays"), 40, 24, 560, 70, look::kAqua);
    QFont f("URW Chancery L");
    f.setStyleHint(QFont::Cursive);
    f.setPointSize(27);
    f.setItalic(true);
    Panel1->setFont(f);
    QPalette pp = Panel1->palette();
    pp.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Panel1->setPalette(pp);

    Image1 = addLabel("Image1", QString(), 200, 116, 240, 220);
    look::showDiabetesPicture(Image1);

    BitBtn2 = addButton("BitBtn2", "SUITE ", 200, 370, 110, 40);
    BitBtn1 = addButton("BitBtn1", "Fermer", 330, 370, 110, 40);
    QFont bf = BitBtn2->font();
    bf.setBold(true);
    BitBtn2->setFont(bf);
    BitBtn2->setAccessibleName("Suite");
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(BitBtn2, BitBtn1);
}

void TForm1::BitBtn2Click() {
    country_.AnneeReference = pool::kDefaultReferenceYear;
    nav().country().openWindow();
}

}  // namespace pelo
