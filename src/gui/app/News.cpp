#include "app/News.h"

#include <QLabel>
#include <QPushButton>

#include "ui/Look.h"
#include "app/Texte.h"

namespace pelo {

TFNews::TFNews(AppContext& ctx) : Form(ctx, "TFNews", "NEWS") {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kNavy);

    Panel1 = addBanner("Panel1", "PELORAMIX", 0, 0, 640, 65, look::kAqua);
    look::bannerFont(Panel1);

    Button4 = addButton("Button4", "Recommandations de St-VINCENT", 170, 100, 300, 44);
    Button3 = addButton("Button3", "BUREAU", 170, 160, 300, 44);
    Button2 = addButton("Button2", "SPONSORS", 170, 220, 300, 44);
    Button1 = addButton("Button1", "TELMORIS en EUROPE", 170, 280, 300, 44);
    BFin = addButton("BFin", "Retour", 470, 410, 130, 40);
    for (QPushButton* b : {Button4, Button3, Button2, Button1, BFin}) {
        QFont f = b->font();
        f.setPointSize(10);
        f.setBold(true);
        b->setFont(f);
    }

    connect(Button4, &QPushButton::clicked, this, &TFNews::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TFNews::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TFNews::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TFNews::Button1Click);
    connect(BFin, &QPushButton::clicked, this, &TFNews::BFinClick);
    setTabOrder(Button4, Button3);
    setTabOrder(Button3, Button2);
    setTabOrder(Button2, Button1);
    setTabOrder(Button1, BFin);
}

void TFNews::Button4Click() { ui().showModeless(ctx().forms.get<TTTexte3>()); }
void TFNews::Button3Click() { ui().showModeless(ctx().forms.get<TTTexte4>()); }
void TFNews::Button2Click() { ui().showModeless(ctx().forms.get<TTTexte5>()); }
void TFNews::Button1Click() { ui().showModeless(ctx().forms.get<TTTexte6>()); }
void TFNews::BFinClick() { close(); }

}  // namespace pelo
