#!/usr/bin/env bash
# fibtool's command-line contract: exit codes, -C, and files it writes.
set -u
FIBTOOL=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail=0; passed=0
check() {  # check NAME EXPECTED_EXIT COMMAND...
    local name=$1 want=$2; shift 2
    "$@" >"$WORK/out" 2>"$WORK/err"
    local got=$?
    if [ "$got" -ne "$want" ]; then
        echo "ÉCHEC $name : code $got au lieu de $want"; cat "$WORK/err"; fail=$((fail+1))
    else
        passed=$((passed+1))
    fi
}

check "sans commande" 2 "$FIBTOOL"
check "commande inconnue" 2 "$FIBTOOL" nimporte
check "aide" 0 "$FIBTOOL" aide
check "-C dossier absent" 1 "$FIBTOOL" -C "$WORK/absent" demo
check "demo" 0 "$FIBTOOL" -C "$WORK" demo --fiches 50 --graine 3
grep -q "FIB.DAT : centre 1234, 50 fiches" "$WORK/out" || { echo "ÉCHEC demo : sortie $(cat "$WORK/out")"; fail=$((fail+1)); }
[ "$(stat -c %s "$WORK/FIB.DAT")" -eq $((51 * 248)) ] || { echo "ÉCHEC taille de FIB.DAT"; fail=$((fail+1)); }
cp "$WORK/FIB.DAT" "$WORK/avant"
check "demo sans --remplacer" 2 "$FIBTOOL" -C "$WORK" demo --fiches 10
cmp -s "$WORK/FIB.DAT" "$WORK/avant" || { echo "ÉCHEC FIB.DAT écrasé"; fail=$((fail+1)); }
check "demo --remplacer, même graine" 0 "$FIBTOOL" -C "$WORK" demo --fiches 50 --graine 3 --remplacer
cmp -s "$WORK/FIB.DAT" "$WORK/avant" || { echo "ÉCHEC demo non reproductible"; fail=$((fail+1)); }
check "demo --centres" 0 "$FIBTOOL" -C "$WORK" demo --fiches 20 --centres 3 --remplacer
for k in 1 2 3; do [ -f "$WORK/FIB$k.DAT" ] || { echo "ÉCHEC FIB$k.DAT absent"; fail=$((fail+1)); }; done
check "demo --fiches invalide" 2 "$FIBTOOL" -C "$WORK" demo --fiches abc --remplacer
check "lire en-tête" 0 "$FIBTOOL" -C "$WORK" lire FIB.DAT
grep -q "^Fiches	20$" "$WORK/out" || { echo "ÉCHEC lire : $(cat "$WORK/out")"; fail=$((fail+1)); }
check "lire fiche" 0 "$FIBTOOL" -C "$WORK" lire FIB.DAT --fiche 20
grep -q "^NumFib	20$" "$WORK/out" || { echo "ÉCHEC lire fiche"; fail=$((fail+1)); }
check "lire fiche absente" 1 "$FIBTOOL" -C "$WORK" lire FIB.DAT --fiche 21
check "lire fichier absent" 1 "$FIBTOOL" -C "$WORK" lire ABSENT.DAT
grep -q "Erreur d'entrée/sortie sur ABSENT.DAT : fichier introuvable" "$WORK/err" || { echo "ÉCHEC message"; fail=$((fail+1)); }

echo "fibtool: $passed passed, $fail failed"
[ "$fail" -eq 0 ]
