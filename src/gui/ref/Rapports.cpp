#include "ref/Rapports.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ref/Benchmark.h"
#include "ref/StoredSynthesis.h"
#include "store/Text.h"
#include "ui/Look.h"

namespace pelo {

TFRapports::TFRapports(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFRapports", "Rapports des centres"), country_(country) {
    setScalable(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kGrey);
    auto* banner = addBanner("Titre", "Rapports des centres", 0, 0, 640, 40, look::kAqua);
    look::boldFont(banner, 14);
    LSynthese = addLabel("LSynthese", QString(), 40, 60, 560, 24);
    look::boldFont(LSynthese, 10);
    auto* help = addLabel("LAide",
                          QString::fromUtf8("Un rapport PDF par centre : les neuf indicateurs standards face au pays, "
                                            "avec leurs limites, puis les bandes où le centre est hors des limites."),
                          40, 90, 560, 40);
    help->setWordWrap(true);

    RUn = new QRadioButton(QString::fromUtf8("Un centre :"), this);
    RUn->setObjectName("RUn");
    RUn->setGeometry(40, 150, 120, 26);
    RUn->setChecked(true);
    CCentre = new QComboBox(this);
    CCentre->setObjectName("CCentre");
    CCentre->setAccessibleName(QString::fromUtf8("Centre"));
    CCentre->setGeometry(170, 150, 220, 26);
    RTous = new QRadioButton(QString::fromUtf8("Tous les centres"), this);
    RTous->setObjectName("RTous");
    RTous->setGeometry(40, 190, 360, 26);

    addLabel("LDossierTitre", QString::fromUtf8("Dossier des rapports :"), 40, 240, 200, 24);
    LDossier = addLabel("LDossier", QString(), 40, 266, 440, 24);
    LDossier->setAccessibleName(QString::fromUtf8("Dossier des rapports"));
    look::setBackground(LDossier, Qt::white);
    BDossier = addButton("BDossier", QString::fromUtf8("Changer…"), 490, 264, 110, 28);
    BCreer = addButton("BCreer", QString::fromUtf8("Créer les rapports"), 40, 330, 200, 34);
    look::boldFont(BCreer, 10);
    BitBtn1 = addButton("BitBtn1", "Retour", 490, 420, 110, 32);
    connect(BDossier, &QPushButton::clicked, this, &TFRapports::BDossierClick);
    connect(BCreer, &QPushButton::clicked, this, &TFRapports::BCreerClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
    connect(CCentre, &QComboBox::activated, this, [this] { RUn->setChecked(true); });
    setTabOrder(RUn, CCentre);
    setTabOrder(CCentre, RTous);
    setTabOrder(RTous, BDossier);
    setTabOrder(BDossier, BCreer);
    setTabOrder(BCreer, BitBtn1);
}

void TFRapports::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    Activate();
}

void TFRapports::Activate() {
    CCentre->clear();
    if (folder_.isEmpty()) folder_ = country_.shown();
    LDossier->setText(" " + folder_);
    ref::StoredSynthesis s;
    if (auto e = country_.openChosen(s)) {
        LSynthese->setText(QString());
        return ioError(*e);
    }
    const auto counts = ref::centreCounts(s);
    LSynthese->setText(QString::fromUtf8("Synthèse %1 : %2 fiches, %3 centres")
                           .arg(QString::fromStdString(s.name))
                           .arg(s.index.totalFibs())
                           .arg(counts.size()));
    for (const auto& c : counts) CCentre->addItem(QString("%1   (%2 fiches)").arg(c.centre).arg(c.count), c.centre);
    RTous->setText(QString::fromUtf8("Tous les centres (%1)").arg(counts.size()));
    const int at = CCentre->findData(country_.ChosenCentre);
    if (at >= 0) CCentre->setCurrentIndex(at);
}

void TFRapports::BDossierClick() {
    const QString f = ui().chooseFolder(QString::fromUtf8("Dossier des rapports"), folder_);
    if (f.isEmpty()) return;
    folder_ = f;
    LDossier->setText(" " + folder_);
}

void TFRapports::BCreerClick() {
    ref::StoredSynthesis s;
    if (auto e = country_.openChosen(s)) return ioError(*e);
    std::vector<std::int32_t> centres;
    if (RTous->isChecked()) {
        for (const auto& c : ref::centreCounts(s)) centres.push_back(c.centre);
    } else if (CCentre->currentIndex() >= 0) {
        centres.push_back(CCentre->currentData().toInt());
    }
    if (centres.empty()) return ui().information(QString::fromUtf8("Aucun centre dans cette synthèse"));
    const QDir dir(folder_);
    if (!dir.exists())
        return ui().error(QString::fromUtf8("Erreur d'entrée/sortie sur %1 : dossier introuvable").arg(folder_));
    // Reports already there are replaced only when the user says so.
    int existing = 0;
    for (auto c : centres)
        if (QFileInfo::exists(dir.filePath(QString::fromStdString(ref::reportFileName(s.name, c))))) ++existing;
    if (existing > 0) {
        const QString q =
            existing == 1
                ? QString::fromUtf8("Un rapport existe déjà dans ce dossier : le remplacer ?")
                : QString::fromUtf8("%1 rapports existent déjà dans ce dossier : les remplacer ?").arg(existing);
        if (ui().confirm(q) != ui::Answer::Yes) return;
    }

    const std::string date = run().today();
    const ref::Benchmark b = ref::benchmarkOf(s);
    const int total = int(centres.size());
    int written = 0;
    // The dialog closes with the last copy of its callback, before any message.
    Progress step = ui().progress(QString::fromUtf8("Rapports des centres"));
    for (int c : centres) {
        if (!keepGoing(step, std::uint32_t(written), std::uint32_t(total), "rapport du centre " + std::to_string(c)))
            break;
        const std::string name = ref::reportFileName(s.name, c);
        QString err;
        if (!ui().savePdf(ref::centreReport(b, c, date), dir.filePath(QString::fromStdString(name)), &err)) {
            step = nullptr;
            return ui().error(
                QString::fromUtf8("Erreur d'entrée/sortie sur %1 : %2").arg(QString::fromStdString(name), err));
        }
        ++written;
    }
    step = nullptr;
    if (written < total) {
        ui().information(QString::fromUtf8("Annulé : %1 sur %2 %3 dans %4")
                             .arg(QString::fromStdString(counted(std::uint64_t(written), "rapport", "rapports")))
                             .arg(total)
                             .arg(written <= 1 ? QString::fromUtf8("enregistré") : QString::fromUtf8("enregistrés"))
                             .arg(folder_));
        return;
    }
    ui().information(written == 1 ? QString::fromUtf8("Rapport enregistré dans %1 : %2")
                                        .arg(folder_, QString::fromStdString(ref::reportFileName(s.name, centres[0])))
                                  : QString::fromUtf8("%1 rapports enregistrés dans %2").arg(written).arg(folder_));
}

}  // namespace pelo
