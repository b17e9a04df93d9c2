#include "entry/PageTexts.h"

#include <map>

namespace pelo::pages {

namespace {

struct Page {
    const char* caption;
    const char* body;
};

// Bodies follow the colour legend. Lines are short so that the small help
// windows need no horizontal scrolling.
const std::map<int, Page>& helpPages() {
    static const std::map<int, Page> pages{
        {1,
         {"Données de base",
          "NOM\n"
          "Ne saisir que l'initiale du nom du patient : une seule lettre, enregistrée\n"
          "en majuscule. La fiche reste ainsi anonyme.\n"
          "\n"
          "DATES\n"
          "Le mois de naissance se saisit en chiffres (1 à 12).\n"
          "Toutes les années se saisissent avec leurs 4 chiffres : 1948 et non 48.\n"
          "Cela vaut pour l'année de naissance et pour les années de début du\n"
          "diabète, des comprimés et de l'insuline.\n"
          "Indiquer au moins une année de début (diabète, comprimés ou insuline).\n"
          "\n"
          "TYPE DE DIABETE\n"
          "Type 1 : diabète insulinodépendant. Début le plus souvent avant 35 ans,\n"
          "   rapide, avec amaigrissement et cétose ; l'insuline est nécessaire dès\n"
          "   le diagnostic ou dans l'année qui suit.\n"
          "Type 2 : diabète non insulinodépendant. Début le plus souvent après\n"
          "   40 ans, souvent avec surpoids et diabète dans la famille ; traité par\n"
          "   régime et comprimés, parfois par insuline après plusieurs années,\n"
          "   ce qui n'en fait pas un type 1.\n"
          "Autre : diabète secondaire (maladie du pancréas, médicament, maladie\n"
          "   endocrinienne), diabète gestationnel, ou type impossible à préciser.\n"}},
        {2,
         {"Consultation / Hospitalisation",
          "CONSULTATION OU HOSPITALISATION\n"
          "Cocher une seule des deux cases :\n"
          "- Consultation : le patient est vu en consultation, au cabinet ou à\n"
          "  l'hôpital, sans être hospitalisé ;\n"
          "- Hospitalisation : le patient est vu au cours d'un séjour à l'hôpital\n"
          "  ou en clinique.\n"
          "\n"
          "MOTIF\n"
          "Un seul motif par fiche. Lorsque plusieurs motifs existent, retenir celui\n"
          "qui a la priorité pour la prise en charge :\n"
          "- Surveillance : bilan ou suivi habituel du diabète ;\n"
          "- Déséquilibre : équilibre glycémique insuffisant à corriger ;\n"
          "- Complication : prise en charge d'une complication du diabète ;\n"
          "- Urgence : acidocétose, hypoglycémie sévère, coma, pied infecté... ;\n"
          "- Diag. récent : diabète découvert récemment ;\n"
          "- Grossesse : suivi d'une grossesse chez une femme diabétique ;\n"
          "- Autre : tout autre motif.\n"}},
        {3,
         {"Grossesse",
          "Ne remplir que pour une patiente dont une grossesse s'est achevée au\n"
          "cours des 12 derniers mois.\n"
          "\n"
          "Chaque case reçoit un nombre d'événements survenus dans les 12 derniers\n"
          "mois (un chiffre ; 0 si aucun) :\n"
          "- Enfant normal : enfant né vivant, sans malformation ;\n"
          "- F.C. (fausse couche) : fin spontanée de la grossesse avant\n"
          "  28 semaines d'aménorrhée ;\n"
          "- Malformation : enfant, né vivant ou non, porteur d'une malformation\n"
          "  congénitale ;\n"
          "- Mort périnatale : enfant mort-né à partir de 28 semaines, ou décédé\n"
          "  au cours de sa première semaine de vie.\n"
          "\n"
          "Des jumeaux comptent pour deux événements.\n"}},
        {4,
         {"Facteurs de risques",
          "DIABETE DANS LA FAMILLE\n"
          "Cocher seulement si un diabète est connu avec certitude chez un parent\n"
          "proche (père, mère, frère, sœur, enfant). En cas de doute, ne pas cocher.\n"
          "\n"
          "TABAC\n"
          "Oui : le patient fume. Indiquer en Q le nombre moyen de cigarettes par\n"
          "jour au cours des 3 derniers mois.\n"
          "Non : seulement si le patient ne fume pas, ou a arrêté de fumer depuis\n"
          "au moins un mois.\n"
          "\n"
          "ALCOOL\n"
          "Indiquer la consommation moyenne par semaine, en grammes d'alcool.\n"
          "Un verre (vin, bière, apéritif, digestif) compte pour 10 g.\n"
          "Exemple : 2 verres par jour = 14 verres par semaine = 140 g / semaine.\n"}},
        {5,
         {"Autosurveillance",
          "Oui : le patient contrôle lui-même sa glycémie ou ses urines.\n"
          "\n"
          "Indiquer le nombre de contrôles faits au cours d'une semaine habituelle\n"
          "des 3 derniers mois :\n"
          "- Glycémies : glycémies capillaires (lecteur ou bandelettes) ;\n"
          "- Glycosurie/Cétonurie : bandelettes urinaires.\n"
          "\n"
          "Exemple : 3 glycémies par jour tous les jours = 21 / semaine.\n"}},
        {6,
         {"Education",
          "Cocher oui pour chaque thème qui a fait l'objet d'une éducation\n"
          "structurée de plus de 45 minutes au cours des 12 derniers mois\n"
          "(séance individuelle ou de groupe, avec un médecin, une infirmière,\n"
          "une diététicienne...). Sinon, cocher non.\n"
          "\n"
          "Les 45 minutes s'entendent pour chaque thème :\n"
          "Alimentation, Autosurveillance, Soins des pieds, Hypoglycémies,\n"
          "Complications, Ajustement des doses d'insuline.\n"
          "\n"
          "Association : le patient est membre d'une association de diabétiques.\n"}},
        {7,
         {"Données",
          "Dernières valeurs connues des 12 derniers mois.\n"
          "\n"
          "MESURES\n"
          "Poids en kg ; taille, tour de taille et tour de hanches en cm.\n"
          "Pression artérielle (systolique / diastolique, en mmHg) : mesurée en\n"
          "position assise, après 5 minutes de repos.\n"
          "\n"
          "BIOLOGIE (dans les unités choisies par le centre)\n"
          "Glycémie : glycémie à jeun.\n"
          "Microalbuminurie : en mg/j (mg par 24 heures). Un résultat donné en\n"
          "µg/mn se multiplie par 1,5 (exemple : 20 µg/mn = 30 mg/j).\n"
          "Protéinurie : en g/j ; à indiquer à la place de la microalbuminurie\n"
          "lorsque celle-ci n'est pas dosée.\n"
          "Cholestérol : cholestérol total. HDL : HDL-cholestérol.\n"
          "\n"
          "La case « à jeun » s'applique aux valeurs lipidiques (cholestérol,\n"
          "HDL, triglycérides) : oui si le prélèvement a été fait à jeun.\n"}},
        {8,
         {"St-Vincent",
          "Les indicateurs de qualité de la déclaration de St-Vincent distinguent\n"
          "les événements récents des événements anciens :\n"
          "- Oui < 12 mois : survenu au cours des 12 derniers mois ;\n"
          "- Oui ancien : survenu il y a plus de 12 mois ;\n"
          "- non : jamais survenu.\n"
          "\n"
          "DEFINITIONS\n"
          "Cécité : somme des acuités visuelles des deux yeux, avec correction,\n"
          "   inférieure à 1,5/10.\n"
          "Infarctus : infarctus du myocarde confirmé (électrocardiogramme,\n"
          "   enzymes cardiaques).\n"
          "AVC : accident vasculaire cérébral, déficit neurologique ayant duré\n"
          "   plus de 24 heures.\n"
          "Insuffisance rénale : insuffisance rénale chronique sévère, traitée\n"
          "   par dialyse ou par greffe rénale.\n"
          "Amputation > cheville : amputation au-dessus de la cheville (jambe,\n"
          "   cuisse).\n"
          "Amputation < cheville : amputation d'un orteil ou d'une partie du pied.\n"}},
        {10,
         {"Symptômes",
          "Symptômes présents au cours des 12 derniers mois.\n"
          "\n"
          "Hypo TA ortho (hypotension orthostatique) : baisse de la pression\n"
          "   systolique d'au moins 20 mmHg dans les 3 minutes qui suivent le\n"
          "   passage de la position couchée à la position debout.\n"
          "Neuropathie péri. (neuropathie périphérique) : douleurs, fourmillements\n"
          "   ou perte de sensibilité des pieds, avec diminution de la sensibilité\n"
          "   vibratoire ou abolition des réflexes achilléens.\n"
          "Angor : douleur thoracique d'effort typique, ou angor prouvé par un\n"
          "   examen (épreuve d'effort, scintigraphie, coronarographie).\n"
          "Claudication : douleur du mollet ou de la cuisse à la marche, qui\n"
          "   oblige à s'arrêter et cède au repos.\n"
          "Anérection : impossibilité durable d'obtenir ou de maintenir une\n"
          "   érection suffisante.\n"}},
        {11,
         {"Observations",
          "Bilan des 12 derniers mois, œil droit (D) et œil gauche (G), pied\n"
          "gauche (G) et pied droit (D) séparément.\n"
          "\n"
          "YEUX\n"
          "Les lésions se classent d'après un examen du fond d'œil après dilatation\n"
          "de la pupille, ou d'après une angiographie. Un fond d'œil sans\n"
          "dilatation ne suffit pas.\n"
          "Rétinopathie : non proliférative, préproliférative ou proliférative ;\n"
          "maculopathie : atteinte de la macula.\n"
          "Acuité visuelle : en dixièmes (/10), avec correction.\n"
          "\n"
          "PIEDS\n"
          "Un examen des pieds comprend au minimum :\n"
          "- l'inspection : ulcère aigu, ulcère cicatrisé ;\n"
          "- la sensibilité vibratoire (diapason) ;\n"
          "- la sensibilité douloureuse (piqûre) ;\n"
          "- la palpation des pouls pédieux et tibiaux postérieurs.\n"
          "Pontage / Angioplastie : geste de revascularisation du membre.\n"}},
        {12,
         {"Qualité de vie",
          "Tous les nombres portent sur les 12 derniers mois.\n"
          "\n"
          "Hypoglycémie, Hyper : nombre d'épisodes dans l'année.\n"
          "\n"
          "Jours de maladie : nombre de jours à l'hôpital (Hosp.) et de jours\n"
          "de maladie hors de l'hôpital (Hors hosp.). Donner le nombre exact\n"
          "lorsqu'il est connu ; sinon une estimation à une semaine près\n"
          "(exemple : « environ trois semaines » = 21).\n"
          "\n"
          "Insuline : nombre d'injections par jour avant et après ce bilan ;\n"
          "Stylo : oui si les injections se font au stylo.\n"}},
        {13,
         {"Traitement",
          "Ne cocher que les traitements prescrits actuellement. Plusieurs cases\n"
          "peuvent être cochées (par exemple biguanides et sulfamides, ou\n"
          "comprimés et insuline).\n"
          "\n"
          "Avant : traitement suivi jusqu'à ce bilan annuel.\n"
          "Après : traitement prescrit à l'issue de ce bilan annuel.\n"
          "\n"
          "Pour chaque classe de comprimés, indiquer toujours l'année de la\n"
          "première prescription, avec ses 4 chiffres (« début en »).\n"
          "\n"
          "Régime seul : aucun médicament du diabète.\n"}},
        {14,
         {"Traitements associés",
          "Avant et après ce bilan, cocher les traitements en cours :\n"
          "\n"
          "HTA : tout médicament prescrit pour abaisser la pression artérielle,\n"
          "   même si elle est normale sous traitement.\n"
          "Insuf.card. (insuffisance cardiaque) : traitement prescrit pour une\n"
          "   insuffisance cardiaque (diurétiques, inhibiteurs de l'enzyme de\n"
          "   conversion, digitaliques...).\n"
          "Card.ischém. (cardiopathie ischémique) : traitement d'un angor ou des\n"
          "   suites d'un infarctus (dérivés nitrés, bêtabloquants,\n"
          "   antiagrégants plaquettaires...).\n"
          "Dyslipidémie : médicament hypolipémiant (statine, fibrate, résine...) ;\n"
          "   un régime seul ne compte pas.\n"
          "Néphro., Neuro., Autre : traitement d'une atteinte rénale, d'une\n"
          "   neuropathie, ou autre traitement au long cours.\n"}},
    };
    return pages;
}

const std::map<int, Page>& textPages() {
    static const std::map<int, Page> pages{
        {3,
         {"Recommandations de St-VINCENT",
          "En 1989, à St-Vincent, les représentants des ministères de la santé, des soignants et des "
          "patients diabétiques de toute l'Europe ont adopté une déclaration commune pour améliorer la "
          "qualité des soins du diabète.\n"
          "\n"
          "OBJECTIFS GENERAUX\n"
          "- Améliorer durablement la santé et l'espérance de vie des personnes diabétiques, en "
          "approchant celles de la population générale.\n"
          "- Prévenir et soigner le diabète et ses complications par un effort concerté des soignants, "
          "des patients et de leurs familles.\n"
          "\n"
          "OBJECTIFS A CINQ ANS\n"
          "- Réduire d'un tiers au moins les nouveaux cas de cécité dus au diabète.\n"
          "- Réduire d'un tiers au moins les nouveaux cas d'insuffisance rénale terminale.\n"
          "- Réduire de moitié les amputations dues à la gangrène diabétique.\n"
          "- Réduire la morbidité et la mortalité par maladie coronarienne, par une action vigoureuse "
          "sur les facteurs de risque.\n"
          "- Obtenir pour la femme diabétique une issue de grossesse proche de celle de la femme non "
          "diabétique.\n"
          "\n"
          "MOYENS\n"
          "- L'éducation du patient et de son entourage, pour l'autonomie dans les soins.\n"
          "- Le dépistage et le traitement précoces des complications.\n"
          "- L'évaluation de la qualité des soins : c'est l'objet de la Fiche d'Information de Base "
          "(FIB) remplie pour chaque patient et de l'évaluation de chaque centre que permet "
          "PELORAMIX.\n"}},
        {4,
         {"BUREAU",
          "Le programme TELMORIS est conduit par un bureau national qui réunit les professions "
          "concernées par les soins du diabète.\n"
          "\n"
          "COMPOSITION\n"
          "- Un président et un vice-président, élus pour la durée d'une campagne.\n"
          "- Un coordinateur scientifique, chargé du contenu de la FIB et des analyses.\n"
          "- Un secrétaire général et un trésorier.\n"
          "- Des représentants des médecins généralistes, des spécialistes libéraux et des services "
          "hospitaliers de diabétologie.\n"
          "- Des représentants des infirmières, des diététiciennes et des podologues.\n"
          "- Des représentants des associations de patients diabétiques.\n"
          "- Un statisticien, garant de la méthode d'évaluation.\n"
          "\n"
          "MISSIONS\n"
          "- Préparer chaque campagne d'audit et la Fiche d'Information de Base.\n"
          "- Animer le réseau des centres participants et des coordinateurs régionaux.\n"
          "- Rassembler les fichiers des centres, produire la synthèse nationale et la restituer aux "
          "centres.\n"
          "- Veiller à la confidentialité des données : aucune fiche ne porte le nom du patient.\n"}},
        {5,
         {"SPONSORS",
          "La réalisation du programme TELMORIS, du logiciel PELORAMIX et des campagnes d'audit est "
          "rendue possible par le soutien de partenaires.\n"
          "\n"
          "- Des partenaires institutionnels du domaine de la santé publique.\n"
          "- Des partenaires de l'assurance maladie et des mutuelles.\n"
          "- Des entreprises du secteur de la santé (médicament, matériel d'autosurveillance).\n"
          "\n"
          "Les partenaires financent la formation des centres, la diffusion du logiciel et l'analyse "
          "des résultats. Ils n'interviennent ni dans le recueil des fiches, ni dans leur analyse, ni "
          "dans la publication des résultats, qui restent sous la seule responsabilité du bureau.\n"
          "\n"
          "Les centres participants n'ont accès qu'à leurs propres fiches et aux synthèses nationales "
          "anonymes.\n"}},
        {6,
         {"TELMORIS en EUROPE",
          "TELMORIS est un réseau européen : dans chaque pays participant, une équipe nationale conduit "
          "la même campagne d'audit avec la même Fiche d'Information de Base.\n"
          "\n"
          "FONCTIONNEMENT\n"
          "- Un coordinateur par pays rassemble les fichiers des centres de son pays.\n"
          "- Chaque pays produit sa synthèse selon les mêmes règles, centre par centre.\n"
          "- Les synthèses des pays sont mises en commun : chaque centre peut situer ses résultats "
          "face à ceux de son pays et des autres pays.\n"
          "\n"
          "UNE FICHE COMMUNE\n"
          "Les définitions de la FIB sont les mêmes dans toutes les langues du réseau ; seules les "
          "unités de laboratoire peuvent varier d'un centre à l'autre, et le logiciel les convertit "
          "pour l'évaluation.\n"
          "\n"
          "Le réseau se réunit chaque année pour comparer les résultats et fixer les priorités de la "
          "campagne suivante.\n"}},
        {7,
         {"HISTORIQUE",
          "Le programme TELMORIS est né de la volonté de mesurer, centre par centre, la qualité des "
          "soins donnés aux personnes diabétiques au regard des objectifs de la déclaration de "
          "St-Vincent.\n"
          "\n"
          "LES CAMPAGNES\n"
          "- Une campagne pilote a réuni quelques centres volontaires pour mettre au point la Fiche "
          "d'Information de Base (FIB), d'abord remplie sur papier.\n"
          "- Les campagnes nationales suivantes ont ouvert l'audit aux médecins généralistes, aux "
          "spécialistes libéraux et aux services hospitaliers de toutes les régions.\n"
          "- Le logiciel PELORAMIX a remplacé la fiche papier : chaque centre saisit et contrôle ses "
          "fiches, puis obtient aussitôt sa propre évaluation.\n"
          "- La campagne de 1997 a donné la synthèse nationale de référence que le logiciel permet de "
          "consulter.\n"
          "\n"
          "CHAQUE ANNEE\n"
          "Chaque centre remplit une FIB pour chaque patient diabétique vu dans l'année, l'envoie au "
          "bureau national, et reçoit en retour la synthèse de son pays pour se comparer.\n"}},
    };
    return pages;
}

std::string legend() { return std::string(kLegendOrange) + "\n" + kLegendRed + "\n\n"; }

}  // namespace

const std::vector<int>& helpPageNumbers() {
    static const std::vector<int> numbers{1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14};
    return numbers;
}

std::string helpCaption(int page) {
    auto it = helpPages().find(page);
    return it == helpPages().end() ? std::string() : it->second.caption;
}

std::string helpText(int page) {
    auto it = helpPages().find(page);
    return it == helpPages().end() ? std::string() : legend() + it->second.body;
}

std::string textPageTitle(int page) {
    auto it = textPages().find(page);
    return it == textPages().end() ? std::string() : it->second.caption;
}

std::string textPageText(int page) {
    auto it = textPages().find(page);
    return it == textPages().end() ? std::string() : it->second.body;
}

}  // namespace pelo::pages
