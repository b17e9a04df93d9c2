#include "pool/Synt2.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "pool/Collection.h"
#include "pool/Groups.h"
#include "pool/PoolSynthesis.h"
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

    BExport = addButton("BExport", QString::fromUtf8("Exporter les fiches…"), 220, 346, 200, 32);
    BitBtn1 = addButton("BitBtn1", "Fermer", 510, 420, 100, 36);
    BitBtn1->setAccessibleName("Fermer");

    connect(BitBtn2, &QPushButton::clicked, this, &TFSynt2::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFSynt2::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TFSynt2::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TFSynt2::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TFSynt2::BitBtn6Click);
    connect(DirectoryListBox1, &QPushButton::clicked, this, &TFSynt2::DirectoryListBox1Click);
    connect(BExport, &QPushButton::clicked, this, &TFSynt2::BExportClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(BitBtn2, BitBtn4);
    setTabOrder(BitBtn4, BitBtn3);
    setTabOrder(BitBtn3, BitBtn5);
    setTabOrder(BitBtn5, BitBtn6);
    setTabOrder(BitBtn6, DirectoryListBox1);
    setTabOrder(DirectoryListBox1, BitBtn1);
    showFolder();
}

void TFSynt2::showEvent(QShowEvent* e) {
    showFolder();
    Form::showEvent(e);
}

void TFSynt2::showFolder() { LDossier->setText(country_.shown()); }

void TFSynt2::DirectoryListBox1Click() {
    const QString chosen = ui().chooseFolder(QString::fromUtf8("Dossier de travail"), country_.shown());
    if (chosen.isEmpty()) return;
    country_.chooseFolder(chosen);
    showFolder();
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
    pool::CollectionResult r;
    if (auto e = pool::collect(folder(), name, r, ui().progress(QString::fromUtf8("Collection des Fiches de l'Année"))))
        return ioError(*e);
    ui().information(QString::fromUtf8("Collection des fiches terminée : ") + q(name) + "\n" +
                     q(pool::collectionMessage(r)));
    if (!r.warnings.empty()) {
        QString text = QString::fromUtf8("Fichiers laissés de côté :");
        for (const auto& w : r.warnings) text += "\n" + q(w);
        ui().warning(text);
    }
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
    pool::PoolSynthesisResult r;
    if (auto e = pool::poolSynthesis(folder(), name, country_.referenceYear(), r,
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
