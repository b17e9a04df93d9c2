#include "app/Sauv.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "exchange/Backup.h"
#include "formats/RecordFile.h"
#include "formats/SealedCopy.h"
#include "ui/Look.h"
#include "ui/Navigation.h"

namespace pelo {

TFSauv::TFSauv(AppContext& ctx, CentreSession& session) : Form(ctx, "TFSauv", "PELORAMIX"), session_(session) {
    // Opened over the full-screen centre menu: scaled like it.
    Panel1 = setFullScreenWithBanner();
    auto* title = addLabel("Label1", "Sauvegarde / Echanges", 170, 80, 300, 26);
    look::whiteText(title, 12, true);
    title->setAlignment(Qt::AlignCenter);

    BEdy = addButton("BEdy", "Sauvegarde des FIB du centre", 170, 140, 300, 56);
    BLdy = addButton("BLdy", "Changement de Centre", 170, 230, 300, 56);
    BitBtn1 = addButton("BitBtn1", "Retour", 410, 400, 170, 40);
    for (QPushButton* b : {BEdy, BLdy, BitBtn1}) look::boldFont(b, 11);
    // The change of centre overwrites FIB.DAT: it is reached by a double click
    // on the screen's background only, never by a stray key press.
    BLdy->setEnabled(false);
    BLdy->setToolTip(QString::fromUtf8("Double-cliquez sur le fond de l'écran"));
    auto* hint = addLabel("Label2", QString::fromUtf8("(double-clic sur le fond de l'écran)"), 170, 290, 300, 22);
    look::whiteText(hint, 9, false);
    hint->setAlignment(Qt::AlignCenter);

    BEnvoi = addButton("BEnvoi", QString::fromUtf8("Envoi au coordinateur"), 170, 320, 300, 40);
    look::boldFont(BEnvoi, 11);
    BCle = addButton("BCle", QString::fromUtf8("Clé du coordinateur…"), 170, 368, 230, 26);
    LCle = addLabel("LCle", QString(), 30, 446, 370, 22);
    look::whiteText(LCle, 9, false);
    showKey();

    connect(BEnvoi, &QPushButton::clicked, this, &TFSauv::BEnvoiClick);
    connect(BCle, &QPushButton::clicked, this, &TFSauv::BCleClick);
    connect(BEdy, &QPushButton::clicked, this, &TFSauv::BEdyClick);
    connect(BLdy, &QPushButton::clicked, this, &TFSauv::BLdyClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFSauv::BitBtn1Click);
    setTabOrder(BEdy, BEnvoi);
    setTabOrder(BEnvoi, BCle);
    setTabOrder(BCle, BitBtn1);
}

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
QString here(const std::string& name) { return QDir::toNativeSeparators(QDir::current().absoluteFilePath(q(name))); }
}  // namespace

void TFSauv::BEdyClick() {
    const QString question = QString::fromUtf8(
        "Sauvegarde des FIB du centre (FIB.DAT) dans un dossier de votre choix (clé USB, partage réseau) ?");
    if (ui().confirm(question) != ui::Answer::Yes) return;
    const QString folder =
        ui().chooseFolder(QString::fromUtf8("Dossier de sauvegarde (clé USB, partage réseau)"), QDir::homePath());
    if (folder.isEmpty()) {
        ui().information(QString::fromUtf8("Aucun dossier choisi : rien n'a été copié."));
        return;
    }
    // The copy that leaves the workstation is sealed unless the user chooses otherwise.
    const bool sealed =
        ui().confirm(QString::fromUtf8("Chiffrer la copie sous une phrase secrète ?\nUne clé USB se perd : chiffrée, "
                                       "la copie ne se lit qu'avec sa phrase secrète. En clair, qui la trouve lit "
                                       "les fiches."),
                     false, {}, {QString::fromUtf8("Chiffrer"), QString::fromUtf8("En clair"), {}}) == ui::Answer::Yes;
    backup::BackupResult r;
    if (sealed) {
        const auto pass = ui().askPassphrase(
            QString::fromUtf8("Phrase secrète de la sauvegarde"),
            QString::fromUtf8("Choisissez la phrase secrète de la copie chiffrée et tapez-la deux fois. Sans elle, "
                              "la copie ne pourra pas être reprise."),
            true);
        if (!pass) {
            ui().information(QString::fromUtf8("Aucune phrase secrète : rien n'a été copié."));
            return;
        }
        if (auto e = backup::backupCentreSealed(kFibFile, folder.toStdString(), *pass, seal::interactiveLimits(), r))
            return ioError(*e);
    } else if (auto e = backup::backupCentre(kFibFile, folder.toStdString(), r)) {
        return ioError(*e);
    }
    session_.CurrentCentre = r.centre;
    const std::string name = backup::centreFileName(r.centre);
    const std::string copy = sealed ? seal::sealedName(name) : name;
    QString text = q(backup::backupDoneMessage(
        r, QDir::toNativeSeparators(QDir(folder).absoluteFilePath(q(copy))).toStdString(), here(name).toStdString()));
    if (sealed)
        text +=
            QString::fromUtf8("\nLa copie du dossier choisi est chiffrée : elle se reprend avec sa phrase secrète.");
    ui().information(text);
}

void TFSauv::showKey() {
    seal::PublicKey key;
    LCle->setText(seal::readPublicKey(seal::kPublicKeyName, key)
                      ? QString::fromUtf8("Clé du coordinateur : aucune")
                      : QString::fromUtf8("Clé du coordinateur : ") + q(seal::fingerprint(key)));
}

void TFSauv::showEvent(QShowEvent* e) {
    showKey();
    Form::showEvent(e);
}

void TFSauv::BCleClick() {
    const QString from =
        ui().chooseFolder(QString::fromUtf8("Dossier de la clé du coordinateur (coordination.pub)"), QDir::homePath());
    if (from.isEmpty()) return;
    const std::string source = QDir(from).filePath(q(seal::kPublicKeyName)).toStdString();
    seal::PublicKey key;
    if (auto e = seal::readPublicKey(source, key)) return ioError(*e);
    QString question = QString::fromUtf8("Empreinte de la clé du coordinateur :\n") + q(seal::fingerprint(key)) +
                       QString::fromUtf8("\nVérifiez-la avec le coordinateur (au téléphone) avant de l'importer.");
    seal::PublicKey before;
    if (!seal::readPublicKey(seal::kPublicKeyName, before) && before.bytes != key.bytes)
        question += QString::fromUtf8("\nElle remplace la clé importée auparavant (empreinte ") +
                    q(seal::fingerprint(before)) + ").";
    if (ui().confirm(question, false, {}, {QString::fromUtf8("Importer"), QString::fromUtf8("Annuler"), {}}) !=
        ui::Answer::Yes)
        return;
    if (auto e = seal::importPublicKey(source, "", key)) return ioError(*e);
    showKey();
    ui().information(QString::fromUtf8("La clé du coordinateur (empreinte ") + q(seal::fingerprint(key)) +
                     QString::fromUtf8(") est importée : ") + here(seal::kPublicKeyName));
}

void TFSauv::BEnvoiClick() {
    seal::PublicKey key;
    if (seal::readPublicKey(seal::kPublicKeyName, key)) {
        ui().warning(QString::fromUtf8("Importez d'abord la clé du coordinateur (« Clé du coordinateur… »)."));
        return;
    }
    const QString folder = ui().chooseFolder(
        QString::fromUtf8("Dossier de l'envoi au coordinateur (clé USB, partage réseau)"), QDir::homePath());
    if (folder.isEmpty()) {
        ui().information(QString::fromUtf8("Aucun dossier choisi : rien n'a été écrit."));
        return;
    }
    seal::SealedWritten w;
    if (auto e = seal::sendToCoordinator(kFibFile, key, folder.toStdString(), &w)) return ioError(*e);
    ui().information(QString::fromUtf8("Envoi prêt : le centre ") + QString::number(w.centre) + " (" +
                     q(backup::fibCountText(w.fibs)) + QString::fromUtf8(") est chiffré dans\n") +
                     QDir::toNativeSeparators(q(w.path)) +
                     QString::fromUtf8("\npour la clé du coordinateur (empreinte ") + q(seal::fingerprint(key)) +
                     QString::fromUtf8(") : lui seul peut l'ouvrir."));
}

bool TFSauv::setCurrentAside(QString& done, std::vector<FibRecord>& content) {
    // Named after the centre of the records set aside: the run's number may
    // still be the practice file's after an entry training.
    backup::SetAsideResult r;
    if (auto e = backup::setAsideUnderItsCentre(kFibFile, &r)) {
        ioError(*e);
        return false;
    }
    done = q(backup::setAsideMessage(r));
    content = std::move(r.content);
    return true;
}

void TFSauv::BLdyClick() {
    CentreSession& s = session_;
    QString done;
    // What FIB.DAT held when it was set aside: it is replaced only if it still
    // holds that (no sheet saved since by another workstation).
    std::vector<FibRecord> setAside;
    if (ui().confirm(QString::fromUtf8("Préparation de la saisie d'un nouveau centre ?")) == ui::Answer::Yes) {
        if (ui().confirm(QString::fromUtf8("Sauvegarde des FIB du centre courant ?")) != ui::Answer::Yes) return;
        if (!setCurrentAside(done, setAside)) return;
        if (auto e = backup::startNewCentre(kFibFile, &setAside)) {
            ui().error(q(e->message()) + "\n" + done + "\n" + QString::fromUtf8("Recommencez la préparation."));
            return;
        }
        // The run now works on an unidentified centre, so that the next
        // "SAISIE" asks for its identification and a further change of centre
        // does not set the empty file aside under the previous centre's name.
        s.buffer = headerTemplate();
        s.CurrentCentre = 0;
        s.CurrentFib = 0;
        s.SavedFibCount = 0;
        s.forgetIdentification();
        ui().information(done + "\n" +
                         QString::fromUtf8("FIB.DAT est vide, prêt pour un nouveau centre : la prochaine SAISIE "
                                           "demandera son identification."));
        return;
    }
    if (ui().confirm(QString::fromUtf8("Reprise des FIB's d'un centre existant ?")) != ui::Answer::Yes) return;
    const bool keep = ui().confirm(QString::fromUtf8("Sauvegarde des FIB du centre courant ?")) == ui::Answer::Yes;
    if (keep && !setCurrentAside(done, setAside)) return;
    const std::uint16_t remembered = s.CurrentCentre;
    s.CurrentCentre = nav().centre().askCentreNumber().value_or(0);
    if (s.CurrentCentre == 0) {
        s.CurrentCentre = remembered;
        if (!done.isEmpty()) ui().information(done + "\n" + QString::fromUtf8("FIB.DAT est inchangé."));
        return;
    }
    CentreHeader h;
    const std::string file = backup::centreFileName(s.CurrentCentre);
    const std::string sealedFile = seal::sealedName(file);
    // Without the plain file, its sealed copy is taken back once its passphrase is typed.
    const bool fromSeal = !QFileInfo::exists(q(file)) && QFileInfo::exists(q(sealedFile));
    std::optional<seal::Secret> pass;
    if (fromSeal) {
        pass = ui().askPassphrase(QString::fromUtf8("Phrase secrète de ") + q(sealedFile),
                                  q(file) + QString::fromUtf8(" n'est pas dans le dossier, mais sa copie chiffrée ") +
                                      q(sealedFile) + QString::fromUtf8(" y est : tapez sa phrase secrète."),
                                  false);
        if (!pass) {
            s.CurrentCentre = remembered;
            ui().information((done.isEmpty() ? QString() : done + "\n") + QString::fromUtf8("FIB.DAT est inchangé."));
            return;
        }
    }
    if (auto e = fromSeal ? backup::takeBackSealed(sealedFile, kFibFile, *pass, &h, keep ? &setAside : nullptr)
                          : backup::takeBack(file, kFibFile, &h, keep ? &setAside : nullptr)) {
        // FIB.DAT still holds the previous centre: the run keeps its number.
        s.CurrentCentre = remembered;
        QString text =
            q(e->message()) + QString::fromUtf8("\nDossier : ") + QDir::toNativeSeparators(QDir::currentPath());
        if (!done.isEmpty()) text += "\n" + done;
        text += "\n" + QString::fromUtf8("FIB.DAT est inchangé.");
        ui().error(text);
        return;
    }
    s.buffer = h;
    s.CurrentFib = h.nbFiches();
    s.SavedFibCount = h.nbFiches();
    s.takeIdentification(h);
    ui().information((done.isEmpty() ? QString() : done + "\n") +
                     q(backup::takenBackMessage(h.get(fld::NumCentre), h.nbFiches())));
}

void TFSauv::BitBtn1Click() { close(); }

void TFSauv::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) BLdyClick();
}

}  // namespace pelo
