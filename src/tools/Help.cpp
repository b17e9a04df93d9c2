#include "Help.h"

#include <map>

#include "store/Version.h"

namespace pelo::cli {

namespace {

const char* kGeneral =
    "Usage : fibtool [-C DOSSIER] COMMANDE [OPTIONS]\n"
    "Travaille sur les fichiers de PELORAMIX (FIB.DAT, fichiers de collection, synthèses).\n"
    "\n"
    "Commandes :\n"
    "  synthese FICHIER [--filtre 0|1|2] [--annee AAAA]   synthèse du centre (264 lignes)\n"
    "  objectifs FICHIER [--filtre N] [--annee AAAA]      tableau des objectifs (11 lignes)\n"
    "  controle FICHIER [--annee AAAA] [--fiche K]        état que chaque fiche recevrait\n"
    "  collecte POOL [--remplacer]                        collecte de FIB1.DAT ... FIB999.DAT\n"
    "  synthese-pays POOL [--annee-ref AAAA]              synthèse nationale par centre\n"
    "  selection POOL SORTIE --variable N [...]           sous-collection par critère\n"
    "  repartition SYNTHESE.Atx [--centre C]              liste de variabilité\n"
    "  variabilite SYNTHESE.Atx --ligne L                 variabilité d'une bande\n"
    "  entonnoir SYNTHESE.Atx --ligne L                   limites de chaque centre pour une bande\n"
    "  alertes SYNTHESE.Atx [--seuil 95|99.8]             centres hors des limites\n"
    "  evolution A.Atx B.Atx [...] [--centre C]           bandes d'une campagne à l'autre\n"
    "  comparaison POOL [--annee-ref AAAA] [--indicateur K]\n"
    "                                                     centres comparés, ajustés sur leurs patients\n"
    "  demo [--fiches N] [--centres K] [--campagnes K] [--graine S] [--remplacer]\n"
    "                                                     données de démonstration\n"
    "  lire FICHIER [--fiche K]                           en-tête, ou champs d'une fiche\n"
    "  aide [COMMANDE]                                    ce texte, ou l'aide d'une commande\n"
    "\n"
    "Options générales :\n"
    "  -C DOSSIER      travaille dans DOSSIER (le dossier de travail du programme)\n"
    "  -h, --help      affiche cette aide\n"
    "  --version       affiche la version\n"
    "\n"
    "« fibtool COMMANDE --help » décrit une commande, ses options et un exemple.\n"
    "Résultats sur la sortie standard, erreurs sur la sortie d'erreur.\n"
    "\n"
    "Codes de sortie : 0 succès, 1 erreur de fichier, 2 erreur d'usage,\n"
    "3 aucune fiche sélectionnée par une synthèse.\n"
    "Page de manuel : man fibtool\n";

const std::map<std::string, const char*>& pages() {
    static const std::map<std::string, const char*> table{
        {"synthese",
         "Usage : fibtool synthese FICHIER [--filtre 0|1|2] [--annee AAAA]\n"
         "Synthèse du centre d'un fichier de fiches : les 264 lignes de la liste, comme l'écran\n"
         "d'évaluation les montre, une par ligne. Les unités sont celles de l'en-tête du fichier.\n"
         "\n"
         "  --filtre 0|1|2   0 toutes les fiches (défaut), 1 diabète de type 1, 2 de type 2\n"
         "  --annee AAAA     année en cours pour les âges et durées (défaut : cette année)\n"
         "\n"
         "Sort avec le code 3 quand aucune fiche n'est retenue.\n"
         "Exemple : fibtool -C /srv/centre synthese FIB.DAT --filtre 2 --annee 2026\n"},
        {"objectifs",
         "Usage : fibtool objectifs FICHIER [--filtre 0|1|2] [--annee AAAA]\n"
         "Tableau des objectifs après la synthèse du centre : 11 lignes, les 3 cellules\n"
         "séparées par une tabulation.\n"
         "\n"
         "  --filtre 0|1|2   0 toutes les fiches (défaut), 1 type 1, 2 type 2\n"
         "  --annee AAAA     année en cours (défaut : cette année)\n"
         "\n"
         "Sort avec le code 3 quand aucune fiche n'est retenue.\n"
         "Exemple : fibtool objectifs FIB.DAT --filtre 1\n"},
        {"controle",
         "Usage : fibtool controle FICHIER [--annee AAAA] [--fiche K]\n"
         "État que chaque fiche recevrait à l'enregistrement, avec les constats des contrôles\n"
         "des deux pages. Le fichier n'est pas modifié. Une ligne par fiche : numéro, état,\n"
         "puis par constat une lettre (E erreur, A avertissement, S avertissement discret,\n"
         "R remarque en rouge, C erreur de conversion), « : » et le message.\n"
         "\n"
         "  --annee AAAA     année en cours (défaut : cette année)\n"
         "  --fiche K        la seule fiche K\n"
         "\n"
         "Exemple : fibtool controle FIB.DAT --annee 2026 --fiche 12\n"},
        {"collecte",
         "Usage : fibtool collecte POOL [--remplacer]\n"
         "Rassemble FIB1.DAT ... FIB999.DAT du dossier en un fichier de collection POOL\n"
         "(au plus 65535 fiches) et écrit « F centres, N fiches ». Un fichier d'un autre\n"
         "format est laissé de côté avec un avertissement.\n"
         "\n"
         "  --remplacer      remplace un fichier POOL existant (sinon il reste intact, code 2)\n"
         "\n"
         "Exemple : fibtool -C /srv/pays collecte FibFr97.Dat --remplacer\n"},
        {"synthese-pays",
         "Usage : fibtool synthese-pays POOL [--annee-ref AAAA]\n"
         "Synthèse du fichier de collection centre par centre : écrit la synthèse stockée\n"
         "(FibFr97.Dat donne SYNFr97.ATX et SYNFr97.BTX) et « K centres, N fiches ».\n"
         "\n"
         "  --annee-ref AAAA année de référence (défaut : l'année de la plupart des fiches)\n"
         "\n"
         "Exemple : fibtool synthese-pays FibFr97.Dat --annee-ref 2026\n"},
        {"selection",
         "Usage : fibtool selection POOL SORTIE --variable N [--sauf] [--op =|>|<] [--valeur V]\n"
         "                         [--relation et|ou] [--op2 =|>|<] [--valeur2 V]\n"
         "Sous-collection : copie dans SORTIE les fiches de POOL qui remplissent un critère\n"
         "sur une variable, comme la boîte de requête, et écrit « n fiches sélectionnées ».\n"
         "\n"
         "  --variable N     numéro de la variable (1 à 40)\n"
         "  --sauf           les fiches qui ne remplissent pas le critère\n"
         "  --op, --valeur   première comparaison (pour une variable à liste, V est le code)\n"
         "  --relation et|ou lien avec la seconde comparaison\n"
         "  --op2, --valeur2 seconde comparaison\n"
         "\n"
         "Exemple : fibtool selection FibFr97.Dat FibHb.Dat --variable 33 --op '>' --valeur 8 \\\n"
         "            --relation et --op2 '<' --valeur2 10\n"},
        {"repartition",
         "Usage : fibtool repartition SYNTHESE.Atx [--centre C]\n"
         "Liste de variabilité d'une synthèse stockée : les 264 lignes, le pays seul ou à côté\n"
         "du centre choisi.\n"
         "\n"
         "  --centre C       le centre placé à côté du pays\n"
         "\n"
         "Exemple : fibtool repartition SynFr97.Atx --centre 12\n"},
        {"variabilite",
         "Usage : fibtool variabilite SYNTHESE.Atx --ligne L\n"
         "Graphique de variabilité d'une ligne de bande : une ligne par centre dans l'ordre du\n"
         "graphique, le centre, une tabulation et le pourcentage arrondi.\n"
         "\n"
         "  --ligne L        ligne de bande de la liste (3 à 262)\n"
         "\n"
         "Exemple : fibtool variabilite SynFr97.Atx --ligne 3\n"},
        {"entonnoir",
         "Usage : fibtool entonnoir SYNTHESE.Atx --ligne L\n"
         "Graphique en entonnoir d'une ligne de bande : d'abord le pays (0, N, X, pourcentage),\n"
         "puis par centre : centre, fiches, effectif, pourcentage, limites basse et haute à 95 %,\n"
         "limites basse et haute à 99,8 %, position (-2 à 2), séparés par des tabulations.\n"
         "\n"
         "  --ligne L        ligne de bande de la liste (3 à 262)\n"
         "\n"
         "Exemple : fibtool entonnoir SynFr97.Atx --ligne 3\n"},
        {"alertes",
         "Usage : fibtool alertes SYNTHESE.Atx [--seuil 95|99.8]\n"
         "Les centres hors des limites, pour chaque ligne de bande : ligne, centre, position.\n"
         "\n"
         "  --seuil 95|99.8  limites retenues (défaut : 99.8)\n"
         "\n"
         "Exemple : fibtool alertes SynFr97.Atx --seuil 95\n"},
        {"comparaison",
         "Usage : fibtool comparaison POOL [--annee-ref AAAA] [--indicateur K]\n"
         "Les neuf indicateurs de soins par centre, ajustés sur le type, le sexe, l'âge et\n"
         "l'ancienneté du diabète des patients. Pour chaque indicateur, d'abord le pays :\n"
         "P, indicateur, libellé, fiches, événements, pourcentage, phi, tau ; puis par centre :\n"
         "C, indicateur, centre, fiches, événements, attendus, pourcentage brut, pourcentage\n"
         "ajusté, z, limites basse et haute à 95 %, limites basse et haute à 99,8 %, position\n"
         "(-2 à 2), séparés par des tabulations (- quand l'ajustement n'a pas de sens).\n"
         "\n"
         "  --annee-ref AAAA année de la campagne (défaut : l'année de la plupart des fiches)\n"
         "  --indicateur K   seulement l'indicateur K (1 à 9)\n"
         "\n"
         "Exemple : fibtool comparaison FibFr97.Dat --indicateur 5\n"},
        {"evolution",
         "Usage : fibtool evolution A.Atx B.Atx [C.Atx ...] [--centre C]\n"
         "Les bandes d'une campagne à l'autre (2 à 12 synthèses, dans l'ordre donné) : ligne,\n"
         "libellé, pourcentage du pays dans chaque synthèse, puis celui du centre avec --centre.\n"
         "\n"
         "  --centre C       ajoute les pourcentages du centre C (- quand il est absent)\n"
         "\n"
         "Exemple : fibtool evolution SYNFr96.ATX SYNFr97.ATX --centre 3\n"},
        {"demo",
         "Usage : fibtool demo [--fiches N] [--centres K] [--campagnes K] [--graine S] [--remplacer]\n"
         "Données de démonstration réalistes : un FIB.DAT identifié et, avec --centres, les\n"
         "fichiers FIB1.DAT ... FIBK.DAT d'une collection nationale.\n"
         "\n"
         "  --fiches N       nombre de fiches de FIB.DAT (défaut : 200)\n"
         "  --centres K      écrit aussi FIB1.DAT ... FIBK.DAT (1 à 999)\n"
         "  --campagnes K    écrit aussi les collections de K campagnes (1 à 12), FibFr97.Dat\n"
         "                   et les années d'avant\n"
         "  --graine S       graine du tirage (mêmes données pour la même graine)\n"
         "  --remplacer      écrase les fichiers existants (jamais sans cette option)\n"
         "\n"
         "Exemple : fibtool -C /tmp/essai demo --fiches 300 --centres 20\n"},
        {"lire",
         "Usage : fibtool lire FICHIER [--fiche K]\n"
         "L'en-tête d'un fichier de fiches (centre, nombre de fiches, identification, unités),\n"
         "ou chaque champ de la fiche K, un par ligne : nom, tabulation, valeur.\n"
         "\n"
         "  --fiche K        la fiche K au lieu de l'en-tête\n"
         "\n"
         "Exemple : fibtool lire FIB.DAT --fiche 12\n"},
        {"aide",
         "Usage : fibtool aide [COMMANDE]\n"
         "L'aide générale, ou celle d'une commande.\n"
         "\n"
         "Exemple : fibtool aide collecte\n"},
    };
    return table;
}

}  // namespace

const char* generalHelp() { return kGeneral; }

const char* commandHelp(const std::string& command) {
    auto it = pages().find(command);
    return it == pages().end() ? nullptr : it->second;
}

std::string versionText() {
    return std::string("fibtool (PELORAMIX) ") + programVersion() + "\n" + licenceLine() + "\n" + kNoWarranty + "\n";
}

}  // namespace pelo::cli
