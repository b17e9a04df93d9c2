#!/usr/bin/env bash
# fibtool's national commands on three small centre files: the messages, the
# exit codes and the files written, compared whole with their known digests.
set -u
FIBTOOL=$1
DATA="$(cd "$(dirname "$0")" && pwd)/data/pays"
source "$(dirname "$0")/cli_common.sh"
check() {  # check NAME EXPECTED_EXIT EXPECTED_STDOUT COMMAND...
    local name=$1 want=$2 out=$3; shift 3
    if ! exit_is "$name" "$want" "$@"; then
        return
    elif [ "$(cat "$WORK/out")" != "$out" ]; then
        echo "ÉCHEC $name : sortie « $(cat "$WORK/out") » au lieu de « $out »"; fail=$((fail+1))
    else
        passed=$((passed+1))
    fi
}
cp "$DATA"/FIB[123].DAT "$WORK/"
T="$FIBTOOL -C $WORK"

check "collecte" 0 "3 centres, 84 fiches" $T collecte FibFr97.Dat
# Without --annee-ref the year is that of most sheets (2026 here): the same files as --annee-ref 2026.
check "synthese-pays, année proposée" 0 "3 centres, 84 fiches" $T synthese-pays FibFr97.Dat
cp "$WORK/SYNFr97.BTX" "$WORK/proposee.BTX"
check "synthese-pays --annee-ref 2026" 0 "3 centres, 84 fiches" $T synthese-pays FibFr97.Dat --annee-ref 2026 --remplacer
cmp -s "$WORK/SYNFr97.BTX" "$WORK/proposee.BTX" || { echo "ÉCHEC année proposée"; fail=$((fail+1)); }
rm "$WORK/proposee.BTX"
check "synthese-pays" 0 "3 centres, 84 fiches" $T synthese-pays FibFr97.Dat --annee-ref 1997 --remplacer
check "selection HbA1C entre 8 et 10" 0 "41 fiches sélectionnées" \
    $T selection FibFr97.Dat Fibaaaa.Dat --variable 33 --op '>' --valeur 8 --relation et --op2 '<' --valeur2 10
check "selection femmes" 0 "52 fiches sélectionnées" $T selection FibFr97.Dat FibF.Dat --variable 2 --valeur 2
check "selection sauf femmes" 0 "32 fiches sélectionnées" $T selection FibFr97.Dat FibNF.Dat --variable 2 --valeur 2 --sauf
(cd "$WORK" && sha256sum -c --quiet "$DATA/attendu.sha256") || { echo "ÉCHEC fichiers écrits différents"; fail=$((fail+1)); }

# lire reads a pooled file as the pooled format: its header, and a FIB field
# by field as in its centre's file (the first centre's FIBs come first).
check "lire collection" 0 "$(printf 'Format\tcollection\nCentre\t9999\nFiches\t84')" $T lire FibFr97.Dat
$T lire FibFr97.Dat --fiche 1 >"$WORK/pooled1" && $T lire FIB1.DAT --fiche 1 >"$WORK/centre1" \
    && cmp -s "$WORK/pooled1" "$WORK/centre1" || { echo "ÉCHEC lire fiche 1 de la collection"; fail=$((fail+1)); }
$T lire FibFr97.Dat --fiche 84 | grep -q "^NumCentre	3$" || { echo "ÉCHEC lire fiche 84 de la collection"; fail=$((fail+1)); }
check "lire fiche 85 de la collection" 1 "" $T lire FibFr97.Dat --fiche 85

# The existing pooled file stays as it is without --remplacer.
cp "$WORK/FibFr97.Dat" "$WORK/avant"
check "collecte sans --remplacer" 2 "" $T collecte FibFr97.Dat
cmp -s "$WORK/FibFr97.Dat" "$WORK/avant" || { echo "ÉCHEC collecte a remplacé le fichier"; fail=$((fail+1)); }
# A file of neither format is skipped with a warning naming it.
head -c 300 /dev/urandom > "$WORK/FIB5.DAT"
check "collecte --remplacer" 0 "3 centres, 84 fiches, 1 fichier laissé de côté" $T collecte FibFr97.Dat --remplacer
grep -q "FIB5.DAT ignoré" "$WORK/err" || { echo "ÉCHEC avertissement FIB5.DAT : $(cat "$WORK/err")"; fail=$((fail+1)); }
cmp -s "$WORK/FibFr97.Dat" "$WORK/avant" || { echo "ÉCHEC collecte non reproductible"; fail=$((fail+1)); }
# The stored synthesis and a sub-collection are replaced only with --remplacer (last year's, the
# synthesis of another pooled file of the same stem); the pair keeps its digests.
check "synthese-pays sans --remplacer" 2 "" $T synthese-pays FibFr97.Dat
grep -q "le fichier SYNFr97.ATX existe déjà (ajoutez --remplacer pour le remplacer)" "$WORK/err" \
    || { echo "ÉCHEC message synthese-pays existante : $(cat "$WORK/err")"; fail=$((fail+1)); }
rm "$WORK/SYNFr97.ATX"
check "synthese-pays, compteurs seuls" 2 "" $T synthese-pays FibFr97.Dat
check "synthese-pays --remplacer" 0 "3 centres, 84 fiches" $T synthese-pays FibFr97.Dat --annee-ref 1997 --remplacer
check "selection sans --remplacer" 2 "" $T selection FibFr97.Dat FibF.Dat --variable 2 --valeur 1
grep -q "le fichier FibF.Dat existe déjà" "$WORK/err" || { echo "ÉCHEC message selection"; fail=$((fail+1)); }
(cd "$WORK" && sha256sum -c --quiet "$DATA/attendu.sha256") || { echo "ÉCHEC fichiers remplacés"; fail=$((fail+1)); }
check "selection --remplacer" 0 "52 fiches sélectionnées" $T selection FibFr97.Dat FibF.Dat --variable 2 --valeur 2 --remplacer
# The pooled synthesis of a sub-collection takes its names from it.
check "synthese-pays d'une sous-collection" 0 "3 centres, 52 fiches" $T synthese-pays FibF.Dat --annee-ref 2026
[ -f "$WORK/SYNF.ATX" ] && [ -f "$WORK/SYNF.BTX" ] || { echo "ÉCHEC noms SYNF.ATX/BTX"; fail=$((fail+1)); }

mkdir "$WORK/vide"
check "collecte sans fichier de centre" 1 "" $FIBTOOL -C "$WORK/vide" collecte FibFr97.Dat
grep -q "Aucun fichier FIB1.DAT à FIB999.DAT" "$WORK/err" || { echo "ÉCHEC message sans source"; fail=$((fail+1)); }
[ ! -e "$WORK/vide/FibFr97.Dat" ] || { echo "ÉCHEC fichier créé sans source"; fail=$((fail+1)); }
check "synthese-pays nom court" 2 "" $T synthese-pays Fib
check "synthese-pays fichier absent" 1 "" $T synthese-pays Absent.Dat
grep -q "Erreur d'entrée/sortie sur Absent.Dat : fichier introuvable" "$WORK/err" || { echo "ÉCHEC message absent"; fail=$((fail+1)); }
check "synthese-pays année invalide" 2 "" $T synthese-pays FibFr97.Dat --annee-ref deux
check "selection sans variable" 2 "" $T selection FibFr97.Dat X.Dat
check "selection variable 41" 2 "" $T selection FibFr97.Dat X.Dat --variable 41
check "selection valeur incorrecte" 2 "" $T selection FibFr97.Dat X.Dat --variable 33 --valeur huit
check "selection opérateur incorrect" 2 "" $T selection FibFr97.Dat X.Dat --variable 33 --op '>='
check "selection sur elle-même" 2 "" $T selection FibFr97.Dat FibFr97.Dat --variable 2 --valeur 1
check "selection nom avec dossier" 2 "" $T selection FibFr97.Dat ../X.Dat --variable 2 --valeur 1
cmp -s "$WORK/FibFr97.Dat" "$WORK/avant" || { echo "ÉCHEC la collection a changé"; fail=$((fail+1)); }

# Names that would replace the centre's files or the input are usage errors; nothing changes.
cp "$WORK/FIB1.DAT" "$WORK/FIB.DAT"
sha256sum "$WORK"/FIB*.DAT "$WORK/FibFr97.Dat" > "$WORK/sommes"
check "selection vers FIB.DAT" 2 "" $T selection FibFr97.Dat FIB.DAT --variable 2 --valeur 1
check "selection vers FIB2.DAT" 2 "" $T selection FibFr97.Dat fib2.dat --variable 2 --valeur 1
check "collecte vers FIB.DAT" 2 "" $T collecte FIB.DAT --remplacer
check "collecte vers ESSAIFIB.DAT" 2 "" $T collecte ESSAIFIB.DAT
cp "$WORK/FibFr97.Dat" "$WORK/SYNx.ATX"
check "synthese-pays dont l'index serait l'entrée" 2 "" $T synthese-pays SYNx.ATX
sha256sum -c --quiet "$WORK/sommes" || { echo "ÉCHEC un fichier protégé a changé"; fail=$((fail+1)); }
cmp -s "$WORK/FibFr97.Dat" "$WORK/SYNx.ATX" || { echo "ÉCHEC SYNx.ATX remplacé"; fail=$((fail+1)); }
check "nom « - »" 2 "" $T selection FibFr97.Dat - --variable 2 --valeur 1
check "nom avec un saut de ligne" 2 "" $T selection FibFr97.Dat "$(printf 'A\nB.Dat')" --variable 2 --valeur 1
check "valeur -2147483648" 0 "0 fiche sélectionnée" \
    $T selection FibFr97.Dat FibMin.Dat --variable 1 --op '<' --valeur -2147483648

echo "fibtool pays: $passed passed, $fail failed"
[ "$fail" -eq 0 ]
