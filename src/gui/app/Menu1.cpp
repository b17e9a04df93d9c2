#include "app/Menu1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <QDir>

#include "app/CentreFolder.h"
#include "formats/RecordFile.h"
#include "store/Text.h"
#include "ui/Look.h"
#include "ui/Navigation.h"
#include "ui/Picture.h"

namespace pelo {

namespace {
void caption(QLabel* l, int points, bool bold) {
    look::whiteText(l, points, bold);
    l->setAlignment(Qt::AlignCenter);
}
}  // namespace

TTMenu1::TTMenu1(AppContext& ctx, CentreSession& session) : Form(ctx, "TTMenu1", "PELORAMIX"), session_(session) {
    setScalable(true);
    setPaintsGradient(true);
    setFixedSize(640, 480);
    look::setBackground(this, look::kNavy);

    Panel1 = addBanner("Panel1", QString::fromUtf8("Implémentation de la Déclaration de St-Vincent"), 0, 0, 640, 65,
                       look::kAqua);
    look::boldFont(Panel1, 14);

    Label3 =
        addLabel("Label3", QString::fromUtf8("Audit national de la qualité des soins du diabète"), 150, 78, 340, 22);
    caption(Label3, 10, false);

    Image2 = addLabel("Image2", QString(), 200, 104, 240, 220);
    look::showDiabetesPicture(Image2);

    Label1 = addLabel("Label1", " TELMORIS / VORNAPEX ", 150, 332, 340, 28);
    caption(Label1, 14, true);

    Label2 = addLabel("Label2", QString::fromUtf8("Fiche d'Information de Base et évaluation des centres"), 130, 366,
                      380, 22);
    caption(Label2, 10, false);

    MENU = addButton("MENU", "CENTRE", 30, 120, 130, 40);
    BPays = addButton("BPays", "SYNTHESE PAYS", 30, 190, 130, 40);
    BRef = addButton("BRef", "REFERENCES", 30, 260, 130, 40);
    Button2 = addButton("Button2", QString::fromUtf8("Préférences"), 480, 120, 130, 40);
    Button3 = addButton("Button3", QString::fromUtf8("Carte de Santé"), 480, 190, 130, 40);
    BDossier = addButton("BDossier", QString::fromUtf8("Dossier du centre…"), 480, 260, 130, 40);
    BApropos = addButton("BApropos", QString::fromUtf8("À propos"), 480, 330, 130, 40);
    Fin = addButton("Fin", "FERMER", 480, 400, 130, 40);
    MENU->setDefault(true);

    connect(MENU, &QPushButton::clicked, this, &TTMenu1::MENUClick);
    connect(Fin, &QPushButton::clicked, this, &TTMenu1::FinClick);
    connect(Button2, &QPushButton::clicked, this, &TTMenu1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TTMenu1::Button3Click);
    connect(BPays, &QPushButton::clicked, this, &TTMenu1::BPaysClick);
    connect(BRef, &QPushButton::clicked, this, &TTMenu1::BRefClick);
    connect(BDossier, &QPushButton::clicked, this, &TTMenu1::BDossierClick);
    connect(BApropos, &QPushButton::clicked, this, &TTMenu1::BAproposClick);
    setTabChain({MENU, BPays, BRef, Button2, Button3, BDossier, BApropos, Fin});
}

void TTMenu1::reject() {}

// QDialog's close goes through reject(), which stays put for Escape: the close
// is accepted here, and the run ends even if another window is still shown.
void TTMenu1::closeEvent(QCloseEvent* e) {
    e->accept();
    QCoreApplication::quit();
}

void TTMenu1::Initial() { session_.buffer = headerTemplate(); }

void TTMenu1::MENUClick() {
    CentreSession& s = session_;
    s.ShowCheckMessages = true;
    s.ReadPage2Entries = true;
    s.CurrentYear = currentYear();
    s.CurrentFile = kFibFile;

    bool created = false;
    if (auto e = recordfile::createIfMissing(kFibFile, &created)) return ioError(*e);
    if (created) {
        Initial();
    } else {
        CentreHeader h;
        if (auto e = recordfile::readHeader(kFibFile, h)) return ioError(*e);
        s.buffer = h;
        // A save interrupted by a full disk (an older version) left part of a
        // record at the end: the sheets are whole, the user is told.
        if (auto note = recordfile::incompleteTailNotice(kFibFile)) ui().warning(QString::fromStdString(*note));
    }
    s.CurrentCentre = s.buffer.get(fld::NumCentre);
    s.CurrentFib = s.buffer.nbFiches();
    s.SavedFibCount = s.buffer.nbFiches();

    if (auto e = recordfile::createIfMissing(kPracticeFile, &created)) return ioError(*e);
    if (created) Initial();

    nav().centre().openCentreMenu();
}

void TTMenu1::Button2Click() {
    RunSettings& s = run();
    if (s.ColourPreference) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
        setPalette(pal);
        s.ColourPreference = false;
    } else {
        s.ColourPreference = true;
    }
    update();
}

void TTMenu1::Button3Click() {
    run().CardReaderOn = ui().confirm(QString::fromUtf8("Lecteur de Cartes de Santé en fonction ?"), false,
                                      boxPosition(390, 260)) == ui::Answer::Yes;
}

void TTMenu1::BPaysClick() { nav().country().openTitle(); }

void TTMenu1::BRefClick() { nav().references().openMenu(); }

void TTMenu1::FinClick() { close(); }

void TTMenu1::BDossierClick() {
    const QString folder = ui().chooseFolder(QString::fromUtf8("Dossier du centre"), QDir::currentPath());
    if (folder.isEmpty()) return;
    centrefolder::enter(ui(), folder, centrefolder::settingsFile());
}

void TTMenu1::BAproposClick() { nav().centre().openAbout(); }

}  // namespace pelo
