#include "ref/Indic.h"

#include <QPushButton>

#include "ref/StoredSynthesis.h"
#include "store/Text.h"
#include "ui/Canvas.h"
#include "ui/Look.h"

namespace pelo {

TFIndic::TFIndic(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFIndic", "Indicateurs standards"), country_(country) {
    setScalable(true);
    setFixedSize(640, 480);
    look::setBackground(this, QColor(192, 192, 192));
    Canvas1 =
        ui::addCanvas(this, QString::fromUtf8("Indicateurs standards"), {0, 0, 640, 440}, {640, 440}, colors::Silver);
    BitBtn1 = addButton("BitBtn1", "Retour", 512, 444, 120, 30);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
}

void TFIndic::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    Activate();
}

void TFIndic::Activate() {
    Canvas1->clear(colors::Silver);
    ref::StoredSynthesis s;
    if (auto e = country_.openChosen(s)) return ui().error(country_.errorText(*e));
    const auto country = ref::indicatorTenths(s.records.at(0).counters, s.index.totalFibs());
    std::optional<std::array<std::int64_t, ref::kIndicatorCount>> centre;
    const std::int32_t c = country_.ChosenCentre;
    if (c > 0)
        if (const auto* r = s.centre(c)) centre = ref::indicatorTenths(r->counters, r->NbFichesCentre & 0xFFFF);
    const std::string title = country_.StoredTitle + " : " + counted(s.index.totalFibs(), "fiche", "fiches");
    ref::drawIndicators(Canvas1->surface(), title, country, centre, c);
}

}  // namespace pelo
