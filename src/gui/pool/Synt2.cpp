#include "pool/Synt2.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "formats/Seal.h"
#include "pool/Collection.h"
#include "pool/Groups.h"
#include "pool/PoolSynthesis.h"
#include "pool/ReferenceYear.h"
#include "pool/SealedSources.h"
#include "ui/ExportFibs.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QPushButton* flowButton(QPushButton* b, const QColor& colour, bool bold) {
    QFont f = b->font();
    f.setBold(bold);
    f.setPointSize(10);
    b->setFont(f);
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, colour);
    b->setPalette(p);
    b->setStyleSheet(QString("text-align: left; color: %1;").arg(colour.name()));
    return b;
}

}  // namespace

TFSynt2::TFSynt2(AppContext& ctx, CountryWorkspace& country)
    : Form(ctx, "TFSynt2", "SYNTHESE par PAYS"), country_(country) {
    setFixedSize(640, 480);
    setScalable(true);
    look::setBackground(this, look::kGrey);

    Panel1 = addBanner("Panel1", QString::fromUtf8("Synthèse des Fiches d'un Pays"), 20, 12, 600, 50, look::kAqua);
    look::boldFont(Panel1, 16);

    // The flow: collection, then sub-collections and synthesis; groups, then partial syntheses.
    BitBtn2 = flowButton(addButton("BitBtn2", QString::fromUtf8("  Collection des Fiches de l'Année"), 30, 90, 270, 40),
                         QColor(255, 0, 0), true);
    BitBtn4 = flowButton(addButton("BitBtn4", QString::fromUtf8("  Sous-collections médicales"), 30, 170, 270, 40),
                         QColor(0, 0, 0), false);
    BitBtn3 = flowButton(addButton("BitBtn3", QString::fromUtf8("  Synthèse globale Pays-Année"), 30, 250, 270, 40),
                         QColor(255, 0, 0), true);
    BitBtn5 = flowButton(addButton("BitBtn5", QString::fromUtf8("  Dcl de Groupes de Centres"), 340, 90, 270, 40),
                         QColor(0, 0, 0), false);
    BitBtn6 =
        flowButton(addButton("BitBtn6", QString::fromUtf8("  Synthèses partielles par Groupe"), 340, 250, 270, 40),
                   QColor(0, 0, 128), true);
    // Lines and arrows of the diagram, without behaviour.
    struct Line {
        int x, y, w, h;
    };
    const Line lines[] = {{165, 130, 1, 40}, {165, 210, 1, 40}, {475, 130, 1, 120}, {300, 110, 40, 1}};
    int n = 0;
    for (const Line& l : lines) {
        auto* b = addButton(QString("Button%1").arg(++n), QString(), l.x, l.y, l.w, l.h);
        b->setEnabled(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAccessibleName(QString::fromUtf8("Trait"));
    }
    const struct {
        const char* text;
        int x, y;
    } arrows[] = {{"V", 160, 154}, {"V", 160, 234}, {"V", 470, 234}};
    n = 0;
    for (const auto& a : arrows) {
        auto* l = addLabel(QString("Label%1").arg(++n), a.text, a.x, a.y, 12, 16);
        l->setAccessibleName(QString::fromUtf8("Flèche"));
    }

    addLabel("Label10", QString::fromUtf8("Dossier de travail :"), 30, 322, 150, 22);
    DirectoryListBox1 = addButton("DirectoryListBox1", QString::fromUtf8("Changer de dossier…"), 30, 346, 170, 32);
    DirectoryListBox1->setAccessibleName(QString::fromUtf8("Changer de dossier de travail"));
    QPalette dp = DirectoryListBox1->palette();
    dp.setColor(QPalette::Button, QColor(0, 255, 255));
    DirectoryListBox1->setPalette(dp);
    LDossier = addLabel("LDossier", QString(), 210, 346, 400, 32);
    LDossier->setWordWrap(true);
    LDossier->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    LAnnee = addLabel("LAnnee", QString::fromUtf8("Année de référence :"), 30, 392, 140, 24);
    EAnnee = new QSpinBox(this);
    EAnnee->setObjectName("EAnnee");
    EAnnee->setAccessibleName(QString::fromUtf8("Année de référence"));
    EAnnee->setRange(1900, 9999);
    EAnnee->setGeometry(170, 392, 70, 24);
    LProposition = addLabel("LProposition", QString(), 246, 392, 364, 24);
    connect(EAnnee, &QSpinBox::valueChanged, this, [this](int y) {
        country_.AnneeReference = y;
        LProposition->setText(QString::fromUtf8("(choisie)"));
    });
    BComparaison =
        flowButton(addButton("BComparaison", QString::fromUtf8("  Comparaison des centres"), 30, 424, 270, 36),
                   QColor(0, 0, 128), true);
    connect(BComparaison, &QPushButton::clicked, this, &TFSynt2::BComparaisonClick);
    BCle = addButton("BCle", QString::fromUtf8("Clé de coordination…"), 340, 300, 270, 30);
    BCle->setToolTip(
        QString::fromUtf8("Crée la clé de la campagne : coordination.pub pour les centres, "
                          "coordination.cle (chiffrée) pour le coordinateur"));

    BExport = addButton("BExport", QString::fromUtf8("Exporter les fiches…"), 310, 424, 190, 36);
    BitBtn1 = addButton("BitBtn1", "Fermer", 510, 420, 100, 36);
    BitBtn1->setAccessibleName("Fermer");

    connect(BitBtn2, &QPushButton::clicked, this, &TFSynt2::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFSynt2::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TFSynt2::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TFSynt2::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TFSynt2::BitBtn6Click);
    connect(DirectoryListBox1, &QPushButton::clicked, this, &TFSynt2::DirectoryListBox1Click);
    connect(BCle, &QPushButton::clicked, this, &TFSynt2::BCleClick);
    connect(BExport, &QPushButton::clicked, this, &TFSynt2::BExportClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(BitBtn2, BitBtn4);
    setTabOrder(BitBtn4, BitBtn3);
    setTabOrder(BitBtn3, BitBtn5);
    setTabOrder(BitBtn5, BitBtn6);
    setTabOrder(BitBtn6, BCle);
    setTabOrder(BCle, DirectoryListBox1);
    setTabOrder(DirectoryListBox1, EAnnee);
    setTabOrder(EAnnee, BComparaison);
    setTabOrder(BComparaison, BExport);
    setTabOrder(BExport, BitBtn1);
    showFolder();
}

void TFSynt2::showEvent(QShowEvent* e) {
    showFolder();
    showYear();
    Form::showEvent(e);
}

void TFSynt2::showFolder() { LDossier->setText(country_.shown()); }

void TFSynt2::DirectoryListBox1Click() {
    const QString chosen = ui().chooseFolder(QString::fromUtf8("Dossier de travail"), country_.shown());
    if (chosen.isEmpty()) return;
    country_.chooseFolder(chosen);
    showFolder();
}

std::int32_t TFSynt2::referenceYear(const std::string& poolName) {
    if (country_.AnneeReference > 0) return country_.AnneeReference;
    std::int32_t year = pool::kDefaultReferenceYear;
    if (pool::proposeReferenceYear(folder(), poolName, year)) return pool::kDefaultReferenceYear;
    return year;
}

void TFSynt2::showYear() {
    const QSignalBlocker quiet(EAnnee);
    if (country_.AnneeReference > 0) {
        EAnnee->setValue(country_.AnneeReference);
        LProposition->setText(QString::fromUtf8("(choisie)"));
        return;
    }
    const std::string& name = country_.pooledFile;
    const bool known = !name.empty() && !pool::badFileName(name) && pool::fileExists(folder(), name);
    EAnnee->setValue(known ? referenceYear(name) : pool::kDefaultReferenceYear);
    LProposition->setText(known ? QString::fromUtf8("(année de la plupart des fiches de %1)").arg(q(name))
                                : QString::fromUtf8("(aucun fichier de collection choisi)"));
}

bool TFSynt2::plainName(const std::string& name) {
    if (auto bad = pool::badFileName(name)) {
        ui().error(q(*bad));
        return false;
    }
    return true;
}

std::string TFSynt2::askPoolName() {
    const std::string name = nav().country().askPoolFileName("FibFr97.Dat");
    if (name.empty() || !plainName(name)) return {};
    country_.pooledFile = name;
    return name;
}

void TFSynt2::BitBtn2Click() {
    const std::string name = askPoolName();
    if (name.empty()) return;
    if (auto why = pool::protectedOutput(folder(), name, {})) return ui().error(q(*why));
    if (pool::fileExists(folder(), name) &&
        ui().confirm(QString::fromUtf8("Voulez-vous remplacer le fichier ") + q(name) + " ?") != ui::Answer::Yes)
        return;
    // Sealed centre files open with the coordinator's key: its passphrase is asked once.
    seal::SecretKey key;
    const bool sealed = pool::hasSealedSources(folder());
    if (sealed) {
        const std::string keyFile = country_.pathOf(seal::kSecretKeyName);
        const auto pass = ui().askPassphrase(
            QString::fromUtf8("Clé de coordination"),
            QString::fromUtf8("Le dossier contient des fichiers chiffrés pour le coordinateur. Tapez la phrase "
                              "secrète de ") +
                q(seal::kSecretKeyName) + QString::fromUtf8(" pour les ouvrir."),
            false);
        if (!pass) return;
        if (auto e = seal::openSecretKey(keyFile, *pass, key)) return ioError(*e);
    }
    pool::CollectionResult r;
    if (auto e = pool::collect(folder(), name, r, ui().progress(QString::fromUtf8("Collection des Fiches de l'Année")),
                               pool::sealedSources(sealed ? &key : nullptr)))
        return ioError(*e);
    QString text =
        QString::fromUtf8("Collection des fiches terminée : ") + q(name) + "\n" + q(pool::collectionMessage(r));
    if (!r.sealed.empty())
        text += QString::fromUtf8("\ndont ") + QString::number(r.sealed.size()) +
                QString::fromUtf8(r.sealed.size() > 1 ? " centres reçus chiffrés" : " centre reçu chiffré");
    for (const auto& n : r.notes) text += "\n" + q(n);
    if (r.warnings.empty()) {
        ui().information(text);
    } else {
        // The files left aside belong in the closing message itself: a centre
        // missing from the collection is never told apart from it.
        text += QString::fromUtf8("\n\nFichiers laissés de côté :");
        for (const auto& w : r.warnings) text += "\n" + q(w);
        ui().warning(text);
    }
    showYear();
}

void TFSynt2::BCleClick() {
    const QString where = q(folder().empty() ? "." : folder());
    if (ui().confirm(QString::fromUtf8("Créer la clé de coordination de la campagne dans le dossier de travail ?\n") +
                     QDir::toNativeSeparators(QDir(where).absolutePath()) +
                     QString::fromUtf8("\ncoordination.pub est à remettre aux centres ; coordination.cle, chiffrée "
                                       "sous une phrase secrète, ouvre leurs envois.")) != ui::Answer::Yes)
        return;
    const auto pass = ui().askPassphrase(
        QString::fromUtf8("Phrase secrète de la clé de coordination"),
        QString::fromUtf8("Choisissez la phrase secrète de coordination.cle et tapez-la deux fois. Sans elle, les "
                          "fichiers des centres ne s'ouvriront pas."),
        true);
    if (!pass) return;
    seal::PublicKey pub;
    if (auto e = seal::createKeyPair(folder(), *pass, seal::interactiveLimits(), &pub)) return ioError(*e);
    ui().information(QString::fromUtf8("La clé de coordination est créée :\n") +
                     QString::fromUtf8("coordination.pub, à remettre aux centres\ncoordination.cle, à garder\n") +
                     QString::fromUtf8("Empreinte à dicter aux centres : ") + q(seal::fingerprint(pub)));
}

void TFSynt2::BitBtn3Click() {
    const std::string name = askPoolName();
    if (name.empty()) return;
    if (auto why = pool::synthesisNamesRefused(folder(), name)) return ui().error(q(*why));
    {
        pool::PooledReader check;  // nothing is asked about a synthesis of a pooled file that does not open
        if (auto e = check.open(folder(), name)) return ioError(*e);
    }
    // A stored synthesis already there (an earlier run, another campaign) is replaced only on Yes.
    if (const auto names = pool::synthesisNames(name);
        names && (pool::fileExists(folder(), names->index) || pool::fileExists(folder(), names->counters)) &&
        ui().confirm(QString::fromUtf8("Voulez-vous remplacer les fichiers ") + q(names->index) + " et " +
                     q(names->counters) + " ?") != ui::Answer::Yes)
        return;
    showYear();
    pool::PoolSynthesisResult r;
    if (auto e = pool::poolSynthesis(folder(), name, referenceYear(name), r,
                                     ui().progress(QString::fromUtf8("Synthèse globale Pays-Année"))))
        return ioError(*e);
    ui().information(QString::fromUtf8("Synthèse globale terminée : ") + q(r.names.index) + " et " +
                     q(r.names.counters) + "\n" + q(pool::poolSynthesisMessage(r)));
    if (auto w = pool::withoutIndexWarning(r); !w.empty()) ui().warning(q(w));
}

void TFSynt2::BitBtn4Click() {
    const std::string poolName = askPoolName();
    if (poolName.empty()) return;
    {
        pool::PooledReader check;  // the pooled file must open before anything else is asked
        if (auto e = check.open(folder(), poolName)) return ioError(*e);
    }
    const std::string outName = nav().country().askSubCollectionName("Fibaaaa.Dat");
    if (outName.empty() || !plainName(outName)) return;
    if (auto why = pool::protectedOutput(folder(), outName, poolName)) return ui().error(q(*why));
    if (pool::fileExists(folder(), outName) &&
        ui().confirm(QString::fromUtf8("Voulez-vous remplacer le fichier ") + q(outName) + " ?") != ui::Answer::Yes)
        return;
    if (!nav().country().askQuery()) return;

    std::uint32_t count = 0;
    if (auto e = pool::selectSubCollection(folder(), poolName, outName, country_.Query, count,
                                           ui().progress(QString::fromUtf8("Sous-collection médicale"))))
        return ioError(*e);
    // The file written, with its folder, as the printouts name theirs.
    ui().information(QString::fromUtf8("Sous-collection écrite dans ") +
                     QDir::toNativeSeparators(QDir(q(folder())).filePath(q(outName))) + "\n" +
                     q(pool::selectionMessage(count)));
}

void TFSynt2::BitBtn5Click() {
    std::vector<pool::GroupeRecord> groups;
    if (auto e = pool::readGroups(folder(), groups, true)) return ioError(*e);
    nav().country().openGroups(folder(), groups);
}

void TFSynt2::BitBtn6Click() {
    if (!pool::fileExists(folder(), pool::kGroupFile)) return;
    std::vector<pool::GroupeRecord> groups;
    if (auto e = pool::readGroups(folder(), groups, false)) return ioError(*e);
    nav().country().openGroupSyntheses(folder(), groups);
}

void TFSynt2::BComparaisonClick() {
    const std::string name = askPoolName();
    if (name.empty()) return;
    {
        pool::PooledReader check;  // the window opens only on a pooled file that opens
        if (auto e = check.open(folder(), name)) return ioError(*e);
    }
    showYear();
    nav().country().openComparison();
}

void TFSynt2::BExportClick() {
    const std::string poolName = askPoolName();
    if (poolName.empty()) return;
    {
        pool::PooledReader check;  // the pooled file must open before a destination is asked
        if (auto e = check.open(folder(), poolName)) return ioError(*e);
    }
    const std::string stem = poolName.substr(0, poolName.find_last_of('.'));
    exportFibsFrom(*this, country_.pathOf(poolName),
                   q(country_.pathOf((stem.empty() ? poolName : stem) + "-fiches.csv")));
}

}  // namespace pelo
