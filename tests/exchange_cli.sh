#!/usr/bin/env bash
# fibtool exporter and importer: exit codes, the files written, the round trip
# through CSV and xlsx, and an independent reading of dta and sav (readstat).
set -u
FIBTOOL=$1
DATA=$2
source "$(dirname "$0")/cli_common.sh"
check() {  # check NAME EXPECTED_EXIT COMMAND...
    exit_is "$@" && passed=$((passed+1))
}
same() {  # same NAME EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then passed=$((passed+1)); else echo "ÉCHEC $1 : « $3 » au lieu de « $2 »"; fail=$((fail+1)); fi
}

cd "$WORK" || exit 1
"$FIBTOOL" demo --fiches 120 --graine 5 >/dev/null
# The demonstration marks a few FIBs annulled: left out unless --annulees.
annulled=0
for k in $(seq 1 120); do
    "$FIBTOOL" lire FIB.DAT --fiche "$k" | grep -q '^EtatFiche	255$' && annulled=$((annulled + 1))
done
kept=$((120 - annulled))
check "exporter csv" 0 "$FIBTOOL" exporter FIB.DAT fiches.csv
same "message" "$kept fiches exportées dans fiches.csv (dictionnaire : fiches-dictionnaire.csv)" "$(cat out)"
same "lignes" $((kept + 1)) "$(wc -l <fiches.csv)"
same "dictionnaire : une ligne par champ hors CodeFixe, Reserve, Reserve2" 126 "$(wc -l <fiches-dictionnaire.csv)"
check "exporter international" 0 "$FIBTOOL" exporter FIB.DAT int.csv --dialecte international --libelles --annulees
same "sans BOM, virgules" "NumCentre,NumFib,DateFib" "$(head -c 24 int.csv)"
check "exporter format inconnu" 2 "$FIBTOOL" exporter FIB.DAT x.ods --format ods
check "exporter dialecte inconnu" 2 "$FIBTOOL" exporter FIB.DAT x.csv --dialecte de
check "exporter sur FIB.DAT" 2 "$FIBTOOL" exporter fiches.csv FIB.DAT
check "exporter sur la source" 2 "$FIBTOOL" exporter FIB.DAT FIB.DAT
check "exporter --libelles en dta" 2 "$FIBTOOL" exporter FIB.DAT x.dta --libelles
check "exporter fichier absent" 1 "$FIBTOOL" exporter ABSENT.DAT x.csv
check "exporter dossier absent" 1 "$FIBTOOL" exporter FIB.DAT absent/x.csv
for f in xlsx dta sav; do check "exporter $f" 0 "$FIBTOOL" exporter FIB.DAT "fiches.$f"; done

# Round trip: into an empty file of the same centre, the same FIBs.
cp FIB.DAT SOURCE.DAT
head -c 248 SOURCE.DAT >VIDE.DAT
printf '\000\000' | dd of=VIDE.DAT bs=1 seek=4 conv=notrunc status=none
check "importer --essai" 0 "$FIBTOOL" importer VIDE.DAT fiches.csv --essai --rapport r.csv
same "essai n'écrit rien" 248 "$(stat -c %s VIDE.DAT)"
same "rapport vide" 1 "$(wc -l <r.csv)"
check "importer csv" 0 "$FIBTOOL" importer VIDE.DAT int.csv
same "fiches importées" 120 "$("$FIBTOOL" lire VIDE.DAT | sed -n 's/^Fiches\t//p')"
for k in 1 60 120; do
    same "fiche $k" "$("$FIBTOOL" lire SOURCE.DAT --fiche "$k" | grep -v EtatFiche)" \
        "$("$FIBTOOL" lire VIDE.DAT --fiche "$k" | grep -v EtatFiche)"
done
check "importer doublons" 0 "$FIBTOOL" importer VIDE.DAT fiches.xlsx --rapport r.csv
same "tous doublons" $((kept + 1)) "$(wc -l <r.csv)"
same "rien ajouté" 120 "$("$FIBTOOL" lire VIDE.DAT | sed -n 's/^Fiches\t//p')"
printf 'Sexe;Couleur\r\n1;bleu\r\n' >inconnue.csv
check "importer colonne inconnue" 1 "$FIBTOOL" importer VIDE.DAT inconnue.csv
check "importer rapport sur la source" 2 "$FIBTOOL" importer VIDE.DAT int.csv --rapport int.csv
check "importer source absente" 1 "$FIBTOOL" importer VIDE.DAT absente.csv

# dta and sav read back by an independent reader: the same values as the CSV.
if command -v readstat >/dev/null; then
    readstat fiches.dta - 2>/dev/null >dta.csv
    same "dta lignes" $((kept + 1)) "$(wc -l <dta.csv)"
    same "dta HbA1c" "$(cut -d';' -f41 fiches.csv | tr , .)" "$(cut -d, -f41 dta.csv | sed 's/0*$//; s/\.$//; s/"//g')"
    readstat fiches.sav - 2>/dev/null >sav.csv
    same "sav lignes" $((kept + 1)) "$(wc -l <sav.csv)"
else
    echo "readstat absent : lecture des dta et sav non vérifiée"
fi

# National: the manifest of a collection, the exports of a stored synthesis.
mkdir "$WORK/pays" && cd "$WORK/pays" || exit 1
"$FIBTOOL" demo --fiches 30 --centres 3 >/dev/null
cp FIB2.DAT FIB4.DAT
printf 'abc' >FIB5.DAT
check "collecte" 0 "$FIBTOOL" collecte FibFr97.Dat
grep -q "dans deux fichiers sources : voir FibFr97-manifeste.csv" "$WORK/err" || { echo "ÉCHEC avertissement doublons"; fail=$((fail+1)); }
# Only FIB5.DAT is left aside: the duplicates are told, not counted as a file left aside.
grep -q "^4 centres, .* fiches, 1 fichier laissé de côté$" "$WORK/out" || { echo "ÉCHEC résumé : $(cat "$WORK/out")"; fail=$((fail+1)); }
count() { "$FIBTOOL" lire "$1" | sed -n 's/^Fiches\t//p'; }
same "manifeste FIB1" "FIB1.DAT;1;$(count FIB1.DAT);$(stat -c %s FIB1.DAT);" \
    "$(grep '^FIB1.DAT;' FibFr97-manifeste.csv | cut -d';' -f1-4);"
same "manifeste SHA-256" "$(sha256sum FIB1.DAT | cut -d' ' -f1)" "$(grep '^FIB1.DAT;' FibFr97-manifeste.csv | cut -d';' -f6)"
same "manifeste laissé de côté" 1 "$(grep -c '^FIB5.DAT;;;;;;laissé de côté' FibFr97-manifeste.csv)"
same "manifeste doublons" "$(count FIB2.DAT)" "$(grep -c 'fiche en double : FIB4.DAT, fiche' FibFr97-manifeste.csv)"
check "synthese-pays" 0 "$FIBTOOL" synthese-pays FibFr97.Dat
check "exporter synthèse large" 0 "$FIBTOOL" exporter SYNFr97.ATX large.csv
same "large : pays puis 3 centres" 5 "$(wc -l <large.csv)"
same "large : en-tête" "Campagne;Centre;Fiches;L" "$(sed -n 1p large.csv | cut -c4-27)"
check "exporter comparaison" 0 "$FIBTOOL" exporter SYNFr97.ATX comp.dta --comparaison
check "exporter comparaison csv" 0 "$FIBTOOL" exporter SYNFr97.ATX comp.csv --comparaison
same "comparaison sans titre" "Centre;Ligne;Libelle;Numerateur" "$(sed -n 1p comp.csv | cut -c4-34)"
grep -q '^Position;.*2 = au-dessus de la limite haute 99,8 %' comp-dictionnaire.csv ||
    { echo "ÉCHEC dictionnaire des positions"; fail=$((fail+1)); }
check "--comparaison sur des fiches" 2 "$FIBTOOL" exporter FibFr97.Dat x.csv --comparaison

echo "$passed vérifications, $fail échecs"
[ "$fail" -eq 0 ]
