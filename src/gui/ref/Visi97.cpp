#include "ref/Visi97.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pool/PoolFiles.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TFVisi97::TFVisi97(AppContext& ctx, CountryWorkspace& country) : Form(ctx, "TFVisi97", "VISION "), country_(country) {
    setScalable(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kNavy);

    auto* banner = addBanner("Titre", QString::fromUtf8("Synthèses de référence"), 0, 0, 640, 50, look::kAqua);
    look::bannerFont(banner);

    // Three columns: the French campaign and its sub-populations, the other
    // countries and years, then the choice by name and the comparison.
    for (int i = 0; i < ref::kReferenceCount; ++i) {
        const auto& r = ref::kReferences[std::size_t(i)];
        const int col = i < 11 ? 0 : 1;
        const int row = i < 11 ? i : i - 11;
        const int x = col == 0 ? 40 : 280;
        const int y = 62 + row * 34;
        auto* b = addButton(r.control, QString::fromUtf8(r.caption), x, y, 200, 28);
        b->setAccessibleName(QString::fromUtf8(r.caption).simplified());
        connect(b, &QPushButton::clicked, this, [this, i] { ReferenceClick(i); });
        Buttons[std::size_t(i)] = b;
        if (i < 12) {
            auto* p = addLabel(QString("Panel%1").arg(i + 1), QString(), x - 22, y + 6, 14, 16);
            p->setAccessibleName(QString());
            look::setBackground(p, look::kAqua);
            Panels[std::size_t(i)] = p;
        }
    }
    Button1 = addButton("Button1", QString::fromUtf8("Autres Synthèses"), 280, 62 + 8 * 34, 200, 28);
    BCompar = addButton("BCompar", "Tableau comparatif", 280, 62 + 9 * 34, 200, 28);
    BEvol = addButton("BEvol", QString::fromUtf8("Évolution"), 280, 62 + 10 * 34, 200, 28);
    BitBtn1 = addButton("BitBtn1", "Retour", 500, 420, 110, 34);
    // The working folder the syntheses are read from, shared with the country screens.
    auto* folderTitle = addLabel("Label1", QString::fromUtf8("Dossier de travail :"), 496, 62, 136, 20);
    look::whiteText(folderTitle, 9, true);
    LDossier = addLabel("LDossier", QString(), 496, 120, 136, 150);
    LDossier->setWordWrap(true);
    LDossier->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LDossier->setAccessibleName(QString::fromUtf8("Dossier de travail"));
    look::whiteText(LDossier, 8, false);
    BDossier = addButton("BDossier", QString::fromUtf8("Changer de dossier…"), 496, 84, 136, 28);
    BDossier->setAccessibleName(QString::fromUtf8("Changer de dossier de travail"));
    connect(BDossier, &QPushButton::clicked, this, &TFVisi97::BDossierClick);
    // Panel12 lights up while a synthesis is asked by name.
    Panels[11]->setGeometry(258, 62 + 8 * 34 + 6, 14, 16);
    for (QPushButton* b : {Button1, BCompar, BEvol, BitBtn1}) look::boldFont(b, 10);
    connect(Button1, &QPushButton::clicked, this, &TFVisi97::Button1Click);
    connect(BCompar, &QPushButton::clicked, this, &TFVisi97::BComparClick);
    connect(BEvol, &QPushButton::clicked, this, &TFVisi97::BEvolClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFVisi97::BitBtn1Click);
    QWidget* prev = Buttons[0];
    for (int i = 1; i < ref::kReferenceCount; ++i) {
        setTabOrder(prev, Buttons[std::size_t(i)]);
        prev = Buttons[std::size_t(i)];
    }
    setTabChain({prev, Button1, BCompar, BEvol, BDossier, BitBtn1});
    showFolder();
}

void TFVisi97::showEvent(QShowEvent* e) {
    showFolder();
    Form::showEvent(e);
}

void TFVisi97::showFolder() { LDossier->setText(country_.shown()); }

void TFVisi97::BDossierClick() {
    const QString chosen = ui().chooseFolder(QString::fromUtf8("Dossier de travail"), country_.shown());
    if (chosen.isEmpty()) return;
    country_.chooseFolder(chosen);
    showFolder();
}

void TFVisi97::ReferenceClick(int i) {
    if (i < 0 || i >= ref::kReferenceCount) return;
    const auto& r = ref::kReferences[std::size_t(i)];
    nav().references().openStoredSynthesis(r.file, r.title);
}

void TFVisi97::Button1Click() {
    look::setBackground(Panels[11], QColor(0, 128, 128));
    country_.StoredSynthesis.clear();
    // Whichever button closed the dialog, the edit's text is the synthesis.
    const std::string name = nav().references().askSynthesisName("SynFr97.Atx");
    if (auto bad = pool::badFileName(name)) ui().error(QString::fromStdString(*bad));
    else nav().references().openStoredSynthesis(name, ref::titleOf(name));
    look::setBackground(Panels[11], look::kAqua);
}

void TFVisi97::BComparClick() {
    country_.ComparisonEnabled = true;
    nav().references().openComparison();
}

void TFVisi97::BEvolClick() { nav().references().openEvolution(); }

void TFVisi97::BitBtn1Click() { close(); }

}  // namespace pelo
