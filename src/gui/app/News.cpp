#include "app/News.h"

#include <QLabel>
#include <QPushButton>

#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TFNews::TFNews(AppContext& ctx) : Form(ctx, "TFNews", "NEWS") {
    Panel1 = setFullScreenWithBanner();

    Button4 = addButton("Button4", "Recommandations de St-VINCENT", 170, 100, 300, 44);
    Button3 = addButton("Button3", "BUREAU", 170, 160, 300, 44);
    Button2 = addButton("Button2", "SPONSORS", 170, 220, 300, 44);
    Button1 = addButton("Button1", "TELMORIS en EUROPE", 170, 280, 300, 44);
    BFin = addButton("BFin", "Retour", 470, 410, 130, 40);
    for (QPushButton* b : {Button4, Button3, Button2, Button1, BFin}) look::boldFont(b, 10);

    connect(Button4, &QPushButton::clicked, this, &TFNews::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TFNews::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TFNews::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TFNews::Button1Click);
    connect(BFin, &QPushButton::clicked, this, &TFNews::BFinClick);
    setTabChain({Button4, Button3, Button2, Button1, BFin});
}

void TFNews::Button4Click() { nav().centre().openTextPage(3); }
void TFNews::Button3Click() { nav().centre().openTextPage(4); }
void TFNews::Button2Click() { nav().centre().openTextPage(5); }
void TFNews::Button1Click() { nav().centre().openTextPage(6); }
void TFNews::BFinClick() { close(); }

}  // namespace pelo
