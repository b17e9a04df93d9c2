#include "app/Apropos.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "app/CentreFolder.h"
#include "store/Version.h"

namespace pelo {

TFApropos::TFApropos(AppContext& ctx) : Form(ctx, "TFApropos", QString::fromUtf8("À propos de PELORAMIX")) {
    setScalable(true);
    setFixedSize(520, 300);
    LTexte = addLabel("LTexte", QString(), 20, 16, 480, 230);
    LTexte->setWordWrap(true);
    LTexte->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LTexte->setTextFormat(Qt::RichText);
    LTexte->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BFin = addButton("BFin", "Fermer", 390, 254, 110, 32);
    connect(BFin, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void TFApropos::refresh() {
    const QString folder = QDir::toNativeSeparators(QDir::currentPath()).toHtmlEscaped();
    const QString settings = QDir::toNativeSeparators(centrefolder::settingsFile()).toHtmlEscaped();
    LTexte->setText(
        QString::fromUtf8("<p><b style='font-size:x-large'>PELORAMIX</b> version %1<br>"
                          "Audit de la qualité des soins du diabète (TELMORIS / VORNAPEX)</p>"
                          "<p>%2. %3</p>"
                          "<p><b>Fichiers du centre</b> (FIB.DAT, ESSAIFIB.DAT, impressions PDF) :<br>%4<br>"
                          "Le choix du dossier est le seul réglage conservé, dans :<br>%5</p>"
                          "<p><b>Clavier</b><br>"
                          "Tab, Maj+Tab : champ suivant, précédent, dans l'ordre de la fiche<br>"
                          "Entrée : presse le bouton qui a le focus ; sur une liste de numéros, appelle la fiche<br>"
                          "Espace : coche ou décoche la case qui a le focus, presse le bouton qui a le focus<br>"
                          "Flèches : choisissent dans un groupe de réponses (Sexe, Type de diabète…)<br>"
                          "Échap : ferme la fenêtre ou la question en cours</p>")
            .arg(QString::fromUtf8(programVersion()).toHtmlEscaped(),
                 QString::fromStdString(licenceLine()).toHtmlEscaped(), QString::fromUtf8(kNoWarranty), folder,
                 settings));
    LTexte->setAccessibleName(LTexte->text());
}

}  // namespace pelo
