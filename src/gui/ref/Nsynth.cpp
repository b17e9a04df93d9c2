#include "ref/Nsynth.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ref/StoredSynthesis.h"

namespace pelo {

TFNSynth::TFNSynth(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFNSynth", QString::fromUtf8("Synthèse ")), country_(country) {
    setScalable(true);
    setFixedSize(420, 340);
    QFont f = font();
    f.setPointSize(10);
    auto* listed = addLabel("Label2", QString::fromUtf8("Synthèses enregistrées dans le dossier :"), 20, 10, 380, 22);
    listed->setFont(f);
    LDossier = addLabel("LDossier", QString(), 20, 32, 380, 36);
    LDossier->setWordWrap(true);
    LDossier->setAccessibleName(QString::fromUtf8("Dossier de travail"));
    LSynth = new QListWidget(this);
    LSynth->setObjectName("LSynth");
    LSynth->setAccessibleName(QString::fromUtf8("Synthèses enregistrées"));
    LSynth->setGeometry(20, 70, 380, 150);
    LSynth->setFont(f);
    listed->setBuddy(LSynth);
    auto* prompt = addLabel("Label1", QString::fromUtf8("Nom du fichier de synthèse"), 20, 230, 380, 22);
    prompt->setFont(f);
    NomP = addEdit("NomP", QString::fromUtf8("Nom du fichier de synthèse"), 20, 254, 220, 26);
    NomP->setFont(f);
    prompt->setBuddy(NomP);
    OKBtn = addButton("OKBtn", "OK", 190, 296, 100, 30);
    CancelBtn = addButton("CancelBtn", "Annuler", 300, 296, 100, 30);
    OKBtn->setDefault(true);
    connect(LSynth, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* it) {
        if (it && (it->flags() & Qt::ItemIsSelectable)) NomP->setText(it->text());
    });
    connect(LSynth, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) {
        if (it && (it->flags() & Qt::ItemIsSelectable)) accept();
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setTabChain({LSynth, NomP, OKBtn, CancelBtn});
}

void TFNSynth::prepare(const std::string& proposed) {
    LDossier->setText(country_.shown());
    const QSignalBlocker block(LSynth);
    LSynth->clear();
    const auto names = country_.folder().storedSyntheses();
    QString chosen = QString::fromStdString(proposed);
    int row = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString n = QString::fromStdString(names[i]);
        LSynth->addItem(n);
        if (row < 0 && n.compare(chosen, Qt::CaseInsensitive) == 0) row = int(i);
    }
    if (names.empty()) {
        auto* none = new QListWidgetItem(QString::fromUtf8("(aucune synthèse enregistrée dans ce dossier)"), LSynth);
        none->setFlags(Qt::ItemIsEnabled);
    } else {
        if (row < 0) row = 0;
        LSynth->setCurrentRow(row);
        chosen = LSynth->item(row)->text();
    }
    NomP->setText(chosen);
    NomP->selectAll();
    if (names.empty()) NomP->setFocus();
    else LSynth->setFocus();
}

}  // namespace pelo
