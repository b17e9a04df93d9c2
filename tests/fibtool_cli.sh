#!/usr/bin/env bash
# fibtool's command-line contract: exit codes, -C, and files it writes.
set -u
FIBTOOL=$1
source "$(dirname "$0")/cli_common.sh"
check() {  # check NAME EXPECTED_EXIT COMMAND...
    exit_is "$@" && passed=$((passed+1))
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
# The demonstration sheets carry the state that the save's checks give them.
"$FIBTOOL" -C "$WORK" controle FIB.DAT | cut -f1,2 > "$WORK/etats-controle"
"$FIBTOOL" -C "$WORK" lire FIB.DAT --fiche 7 | grep -q "^EtatFiche" || { echo "ÉCHEC lire EtatFiche"; fail=$((fail+1)); }
for k in $(seq 1 50); do
    etat=$("$FIBTOOL" -C "$WORK" lire FIB.DAT --fiche "$k" | awk -F'\t' '$1=="EtatFiche"{print $2}')
    [ "$etat" = "255" ] && continue
    grep -qx "$k	$etat" "$WORK/etats-controle" || { echo "ÉCHEC demo : fiche $k stockée $etat, $(grep "^$k	" "$WORK/etats-controle")"; fail=$((fail+1)); break; }
done
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

# controle: a hand-made file with one FIB per kind of finding, compared whole.
DATA=$(dirname "$0")/data
cp "$DATA/CONTROLE.DAT" "$WORK/CONTROLE.DAT"
check "controle" 0 "$FIBTOOL" -C "$WORK" controle CONTROLE.DAT --annee 2026
cmp -s "$WORK/out" "$DATA/controle.attendu" || { echo "ÉCHEC controle :"; diff "$WORK/out" "$DATA/controle.attendu"; fail=$((fail+1)); }
cmp -s "$WORK/CONTROLE.DAT" "$DATA/CONTROLE.DAT" || { echo "ÉCHEC controle a modifié le fichier"; fail=$((fail+1)); }
check "controle --fiche" 0 "$FIBTOOL" -C "$WORK" controle CONTROLE.DAT --annee 2026 --fiche 5
[ "$(cat "$WORK/out")" = "$(sed -n 5p "$DATA/controle.attendu")" ] || { echo "ÉCHEC controle --fiche : $(cat "$WORK/out")"; fail=$((fail+1)); }
check "controle --fiche absente" 1 "$FIBTOOL" -C "$WORK" controle CONTROLE.DAT --fiche 9
check "controle --annee invalide" 2 "$FIBTOOL" -C "$WORK" controle CONTROLE.DAT --annee deux
check "controle sans fichier" 2 "$FIBTOOL" -C "$WORK" controle
check "controle fichier absent" 1 "$FIBTOOL" -C "$WORK" controle ABSENT.DAT
head -c 248 "$DATA/CONTROLE.DAT" > "$WORK/TRONQUE.DAT"
check "controle fichier tronqué" 1 "$FIBTOOL" -C "$WORK" controle TRONQUE.DAT
[ ! -s "$WORK/out" ] || { echo "ÉCHEC controle tronqué : sortie non vide"; fail=$((fail+1)); }
printf '\x21\x00\x0c\x00\x00\x00' > "$WORK/VIDE.DAT"; head -c 242 /dev/zero >> "$WORK/VIDE.DAT"
check "controle sans fiche" 0 "$FIBTOOL" -C "$WORK" controle VIDE.DAT
[ ! -s "$WORK/out" ] || { echo "ÉCHEC controle sans fiche : sortie non vide"; fail=$((fail+1)); }
# synthese and objectifs: golden outputs of a fixed 40-FIB file.
DATA="$(cd "$(dirname "$0")" && pwd)/data/synthese"
check "synthese" 0 "$FIBTOOL" synthese "$DATA/FIB.DAT" --annee 2026
cmp -s "$WORK/out" "$DATA/synthese-2026.txt" || { echo "ÉCHEC synthese : sortie différente"; diff "$WORK/out" "$DATA/synthese-2026.txt" | head; fail=$((fail+1)); }
check "objectifs type 1" 0 "$FIBTOOL" -C "$DATA" objectifs FIB.DAT --filtre 1 --annee 2026
cmp -s "$WORK/out" "$DATA/objectifs-type1-2026.txt" || { echo "ÉCHEC objectifs : sortie différente"; fail=$((fail+1)); }
cp "$DATA/FIB.DAT" "$WORK/SANSFICHE.DAT"
printf '\000\000' | dd of="$WORK/SANSFICHE.DAT" bs=1 seek=4 conv=notrunc status=none
check "synthese sans fiche" 3 "$FIBTOOL" -C "$WORK" synthese SANSFICHE.DAT
[ -s "$WORK/out" ] && { echo "ÉCHEC synthese sans fiche : sortie non vide"; fail=$((fail+1)); }
check "objectifs sans fiche" 3 "$FIBTOOL" -C "$WORK" objectifs SANSFICHE.DAT
check "synthese filtre invalide" 2 "$FIBTOOL" synthese "$DATA/FIB.DAT" --filtre 4
check "synthese fichier absent" 1 "$FIBTOOL" -C "$WORK" synthese ABSENT.DAT
grep -q "Erreur d'entrée/sortie sur ABSENT.DAT : fichier introuvable" "$WORK/err" || { echo "ÉCHEC message synthese"; fail=$((fail+1)); }

# repartition and variabilite: golden outputs of a stored synthesis of three
# centres (tests/data/repartition/synthese_stockee.py writes it).
REP="$(cd "$(dirname "$0")" && pwd)/data/repartition"
golden() {  # golden NAME FILE COMMAND...
    local name=$1 file=$2; shift 2
    check "$name" 0 "$@"
    cmp -s "$WORK/out" "$REP/$file" || { echo "ÉCHEC $name : sortie différente"; diff "$WORK/out" "$REP/$file" | head; fail=$((fail+1)); }
}
golden "repartition" repartition.txt "$FIBTOOL" -C "$REP" repartition SynFr97.Atx
golden "repartition --centre" repartition-centre12.txt "$FIBTOOL" -C "$REP" repartition SynFr97.Atx --centre 12
golden "variabilite ligne 3" variabilite-ligne3.txt "$FIBTOOL" -C "$REP" variabilite SynFr97.Atx --ligne 3
golden "variabilite ligne 256" variabilite-ligne256.txt "$FIBTOOL" -C "$REP" variabilite SynFr97.Atx --ligne 256
check "repartition centre absent" 1 "$FIBTOOL" -C "$REP" repartition SynFr97.Atx --centre 5
check "repartition centre invalide" 2 "$FIBTOOL" -C "$REP" repartition SynFr97.Atx --centre 0
check "repartition sans nom" 2 "$FIBTOOL" -C "$REP" repartition
check "repartition synthese absente" 1 "$FIBTOOL" -C "$WORK" repartition SynXx97.Atx
grep -q "Erreur d'entrée/sortie sur SynXx97.Atx : fichier introuvable" "$WORK/err" || { echo "ÉCHEC message repartition"; fail=$((fail+1)); }
cp "$REP/SynFr97.Atx" "$WORK/SynCo97.Atx"
head -c 744 "$REP/SynFr97.Btx" > "$WORK/SynCo97.Btx"  # record 3 missing
check "repartition compteurs tronqués" 1 "$FIBTOOL" -C "$WORK" repartition SynCo97.Atx
[ ! -s "$WORK/out" ] || { echo "ÉCHEC repartition tronquée : sortie non vide"; fail=$((fail+1)); }
check "variabilite ligne de titre" 2 "$FIBTOOL" -C "$REP" variabilite SynFr97.Atx --ligne 2
check "variabilite ligne blanche" 2 "$FIBTOOL" -C "$REP" variabilite SynFr97.Atx --ligne 263
check "variabilite sans ligne" 2 "$FIBTOOL" -C "$REP" variabilite SynFr97.Atx
grep -q "variabilite attend --ligne L" "$WORK/err" || { echo "ÉCHEC message variabilite sans ligne"; fail=$((fail+1)); }
check "repartition sans extension" 2 "$FIBTOOL" -C "$REP" repartition SynFr97
check "lire « - »" 2 "$FIBTOOL" -C "$WORK" lire -
# Causes in French, from -C as from a file.
check "-C sur un fichier" 1 "$FIBTOOL" -C "$REP/SynFr97.Atx" aide
grep -q "un élément du chemin n'est pas un dossier" "$WORK/err" || { echo "ÉCHEC cause -C : $(cat "$WORK/err")"; fail=$((fail+1)); }
# A FIFO named like a record file is refused at once, not waited on.
mkfifo "$WORK/FIFO.DAT"
check "fifo" 1 timeout 10 "$FIBTOOL" -C "$WORK" lire FIFO.DAT
grep -q "ce n'est pas un fichier ordinaire" "$WORK/err" || { echo "ÉCHEC fifo : $(cat "$WORK/err")"; fail=$((fail+1)); }

# GNU conventions: help on stdout with status 0, the version, each command's help with an example.
for h in --help -h aide; do
    check "$h" 0 "$FIBTOOL" $h
    grep -q "^Usage : fibtool" "$WORK/out" && [ ! -s "$WORK/err" ] || { echo "ÉCHEC $h : $(head -1 "$WORK/out")"; fail=$((fail+1)); }
done
check "--version" 0 "$FIBTOOL" --version
grep -Eq "^fibtool \(PELORAMIX\) [0-9]+\.[0-9]+" "$WORK/out" || { echo "ÉCHEC --version : $(cat "$WORK/out")"; fail=$((fail+1)); }
[ "$(sed -n 2,3p "$WORK/out" | sed 's/^Licence : [^ ]*$/Licence : X/')" = "Licence : X
Ce programme est fourni sans aucune garantie." ] || { echo "ÉCHEC licence de --version : $(cat "$WORK/out")"; fail=$((fail+1)); }
check "-C puis --version" 0 "$FIBTOOL" -C "$WORK" --version
# Every command of the general help has its own page.
commandes=$("$FIBTOOL" aide | sed -n '/^Commandes/,/^$/p' | awk '/^  [a-z]/ && $1 != "aide" {print $1}')
[ "$(echo "$commandes" | wc -l)" -ge 10 ] || { echo "ÉCHEC liste des commandes : $commandes"; fail=$((fail+1)); }
for c in $commandes; do
    check "$c --help" 0 "$FIBTOOL" "$c" --help
    grep -q "^Usage : fibtool $c " "$WORK/out" && grep -q "^Exemple : fibtool" "$WORK/out" \
        || { echo "ÉCHEC $c --help : $(head -1 "$WORK/out")"; fail=$((fail+1)); }
    "$FIBTOOL" aide "$c" | cmp -s - "$WORK/out" || { echo "ÉCHEC aide $c"; fail=$((fail+1)); }
    # Every option the help names is one the command accepts: none is refused as unknown.
    for o in $(grep -o -- '--[a-z0-9-]*' "$WORK/out" | sort -u); do
        [ "$o" = "--help" ] && continue
        "$FIBTOOL" -C "$WORK" "$c" "$o" 2>&1 | grep -q "option inconnue" && { echo "ÉCHEC $c : $o dans l'aide mais refusée"; fail=$((fail+1)); }
    done
done
# The manual page is written from the same descriptors at build time: an entry per command, read by roff
# without a warning.
"$FIBTOOL" --commandes-man >"$WORK/man" || { echo "ÉCHEC --commandes-man"; fail=$((fail+1)); }
for c in $commandes; do
    grep -qF "\fB${c//-/\\-}\fR " "$WORK/man" || { echo "ÉCHEC page de manuel : $c absente"; fail=$((fail+1)); }
done
PAGE="$(dirname "$FIBTOOL")/fibtool.1"
[ -s "$PAGE" ] && ! grep -q "@COMMANDES@" "$PAGE" && cmp -s <(gzip -dc "$PAGE.gz") "$PAGE" \
    || { echo "ÉCHEC page de manuel écrite à la construction : $PAGE"; fail=$((fail+1)); }
if command -v groff >/dev/null && [ -s "$PAGE" ]; then
    warn=$(groff -k -man -Tutf8 -ww -z "$PAGE" 2>&1)
    [ -z "$warn" ] || { echo "ÉCHEC page de manuel : $warn"; fail=$((fail+1)); }
fi
cp "$WORK/FIB.DAT" "$WORK/avant-aide"
check "--help après des options" 0 "$FIBTOOL" -C "$WORK" demo --fiches 3 --remplacer --help
cmp -s "$WORK/FIB.DAT" "$WORK/avant-aide" || { echo "ÉCHEC demo --help a écrit"; fail=$((fail+1)); }
check "aide d'une commande inconnue" 2 "$FIBTOOL" aide nimporte
grep -q "commande inconnue : nimporte" "$WORK/err" || { echo "ÉCHEC aide nimporte"; fail=$((fail+1)); }

# A reader that stops early (| head) ends fibtool quietly with the usual status, even when the
# parent ignores SIGPIPE: here the reader is gone before fibtool writes its first line.
for how in normal ignore; do
    (
        [ "$how" = ignore ] && trap '' PIPE
        { sleep 0.2; exec "$FIBTOOL" synthese "$DATA/FIB.DAT" --annee 2026 2>"$WORK/err"; } | true
        echo "${PIPESTATUS[0]}" >"$WORK/rc"
    )
    rc=$(cat "$WORK/rc")
    if [ -s "$WORK/err" ] || [ "$rc" -ne 141 ]; then
        echo "ÉCHEC tube fermé ($how) : code $rc, $(cat "$WORK/err")"; fail=$((fail+1))
    else
        passed=$((passed+1))
    fi
done

# Progress goes to stderr only when it is a terminal: never into a log or a pipe.
"$FIBTOOL" -C "$WORK" demo --fiches 20 --centres 3 --remplacer >/dev/null 2>"$WORK/err"
[ ! -s "$WORK/err" ] || { echo "ÉCHEC progression hors terminal : $(cat "$WORK/err")"; fail=$((fail+1)); }
if command -v script >/dev/null; then
    script -qec "'$FIBTOOL' -C '$WORK' collecte FibPr.Dat --remplacer 2>&1 >/dev/null" /dev/null >"$WORK/tty" </dev/null
    grep -q "collecte : FIB1.DAT" "$WORK/tty" || { echo "ÉCHEC progression sur un terminal : $(cat -v "$WORK/tty")"; fail=$((fail+1)); }
    [ -f "$WORK/FibPr.Dat" ] || { echo "ÉCHEC collecte sur un terminal"; fail=$((fail+1)); }
fi
# entonnoir, alertes and evolution: golden outputs of two campaigns of the same
# centres (tests/data/entonnoir/campagnes.py writes them; limits checked by hand
# against exact binomial sums).
ENT="$(cd "$(dirname "$0")" && pwd)/data/entonnoir"
egolden() {  # egolden NAME FILE COMMAND...
    local name=$1 file=$2; shift 2
    check "$name" 0 "$@"
    cmp -s "$WORK/out" "$ENT/$file" || { echo "ÉCHEC $name : sortie différente"; diff "$WORK/out" "$ENT/$file" | head; fail=$((fail+1)); }
}
egolden "entonnoir ligne 3" entonnoir-ligne3.txt "$FIBTOOL" -C "$ENT" entonnoir SynFr97.Atx --ligne 3
egolden "entonnoir ligne 107" entonnoir-ligne107.txt "$FIBTOOL" -C "$ENT" entonnoir SynFr97.Atx --ligne 107
egolden "alertes" alertes.txt "$FIBTOOL" -C "$ENT" alertes SynFr97.Atx
egolden "alertes --seuil 95" alertes-95.txt "$FIBTOOL" -C "$ENT" alertes SynFr97.Atx --seuil 95
egolden "evolution" evolution.txt "$FIBTOOL" -C "$ENT" evolution SynFr96.Atx SynFr97.Atx
egolden "evolution --centre" evolution-centre20.txt "$FIBTOOL" -C "$ENT" evolution SynFr96.Atx SynFr97.Atx --centre 20
check "entonnoir ligne de titre" 2 "$FIBTOOL" -C "$ENT" entonnoir SynFr97.Atx --ligne 2
check "entonnoir sans ligne" 2 "$FIBTOOL" -C "$ENT" entonnoir SynFr97.Atx
grep -q "entonnoir attend --ligne L" "$WORK/err" || { echo "ÉCHEC message entonnoir sans ligne"; fail=$((fail+1)); }
check "entonnoir ligne blanche" 2 "$FIBTOOL" -C "$ENT" entonnoir SynFr97.Atx --ligne 263
grep -q "ligne de bande de la liste (3 à 262)" "$WORK/err" || { echo "ÉCHEC message entonnoir ligne blanche"; fail=$((fail+1)); }
check "evolution centre invalide" 2 "$FIBTOOL" -C "$ENT" evolution SynFr96.Atx SynFr97.Atx --centre 999
grep -q "centre de 1 à 998" "$WORK/err" || { echo "ÉCHEC message evolution centre invalide"; fail=$((fail+1)); }
check "entonnoir synthese absente" 1 "$FIBTOOL" -C "$WORK" entonnoir SynXx97.Atx --ligne 3
check "alertes --seuil invalide" 2 "$FIBTOOL" -C "$ENT" alertes SynFr97.Atx --seuil 90
check "evolution une seule synthese" 2 "$FIBTOOL" -C "$ENT" evolution SynFr97.Atx
check "evolution synthese absente" 1 "$FIBTOOL" -C "$ENT" evolution SynFr97.Atx SynXx97.Atx
# A campaign where every centre is at the country's share: nothing, exit 0.
check "alertes sans alerte" 0 "$FIBTOOL" -C "$ENT" alertes SynFr96.Atx --seuil 95
[ ! -s "$WORK/out" ] || { echo "ÉCHEC alertes sans alerte : $(cat "$WORK/out")"; fail=$((fail+1)); }

# comparaison: golden outputs of a demonstration campaign of 12 centres (the
# adjusted figures of HbA1c checked against an independent computation).
CMP="$(cd "$(dirname "$0")" && pwd)/data/comparaison"
cgolden() {  # cgolden NAME FILE COMMAND...
    local name=$1 file=$2; shift 2
    check "$name" 0 "$@"
    cmp -s "$WORK/out" "$CMP/$file" || { echo "ÉCHEC $name : sortie différente"; diff "$WORK/out" "$CMP/$file" | head; fail=$((fail+1)); }
}
cgolden "comparaison" comparaison.txt "$FIBTOOL" -C "$CMP" comparaison FibFr97.Dat
cgolden "comparaison --annee-ref --indicateur" comparaison-hba1c-2026.txt "$FIBTOOL" -C "$CMP" comparaison FibFr97.Dat --annee-ref 2026 --indicateur 5
check "comparaison --indicateur invalide" 2 "$FIBTOOL" -C "$CMP" comparaison FibFr97.Dat --indicateur 10
check "comparaison --annee-ref invalide" 2 "$FIBTOOL" -C "$CMP" comparaison FibFr97.Dat --annee-ref 0
check "comparaison fichier absent" 1 "$FIBTOOL" -C "$WORK" comparaison Absent.Dat
head -c 252 "$CMP/FibFr97.Dat" > "$WORK/Vide.Dat"
printf '\0\0\0\0' | dd of="$WORK/Vide.Dat" bs=1 seek=8 conv=notrunc 2>/dev/null
check "comparaison sans fiche" 3 "$FIBTOOL" -C "$WORK" comparaison Vide.Dat
# alertes says how many alerts chance alone gives: 5 centres x 183 band lines x 5 %.
"$FIBTOOL" -C "$ENT" alertes SynFr97.Atx --seuil 95 2>"$WORK/err" >/dev/null
grep -qx "attendues par le seul hasard : 45.8" "$WORK/err" || { echo "ÉCHEC alertes hasard : $(cat "$WORK/err")"; fail=$((fail+1)); }

# demo --campagnes: one pooled collection per campaign year, ready for its stored synthesis.
check "demo --campagnes" 0 "$FIBTOOL" -C "$WORK" demo --fiches 20 --centres 12 --campagnes 2 --remplacer
for y in 96 97; do
    [ -f "$WORK/FibFr$y.Dat" ] || { echo "ÉCHEC FibFr$y.Dat absent"; fail=$((fail+1)); }
    check "synthese-pays campagne $y" 0 "$FIBTOOL" -C "$WORK" synthese-pays "FibFr$y.Dat" --annee-ref "19$y"
    grep -q "^12 centres, " "$WORK/out" || { echo "ÉCHEC campagne $y : $(cat "$WORK/out")"; fail=$((fail+1)); }
done
check "demo --campagnes sans --remplacer" 2 "$FIBTOOL" -C "$WORK" demo --fiches 20 --centres 12 --campagnes 2
check "demo --campagnes invalide" 2 "$FIBTOOL" -C "$WORK" demo --campagnes 13 --remplacer
check "evolution des campagnes" 0 "$FIBTOOL" -C "$WORK" evolution SYNFr96.ATX SYNFr97.ATX --centre 3
[ "$(wc -l < "$WORK/out")" -eq 183 ] || { echo "ÉCHEC evolution des campagnes"; fail=$((fail+1)); }

# Output that cannot be written (a full disk) is a file error, not a success.
if [ -w /dev/full ]; then
    for cmd in "synthese $DATA/FIB.DAT --annee 2026" "objectifs $DATA/FIB.DAT --annee 2026" "controle $DATA/FIB.DAT --annee 2026" "aide"; do
        # shellcheck disable=SC2086
        "$FIBTOOL" $cmd >/dev/full 2>"$WORK/err"; rc=$?
        if [ "$rc" -ne 1 ] || ! grep -q "Erreur d'entrée/sortie sur la sortie standard : disque plein" "$WORK/err"; then
            echo "ÉCHEC ${cmd%% *} vers un disque plein : code $rc, $(cat "$WORK/err")"; fail=$((fail+1))
        else
            passed=$((passed+1))
        fi
    done
fi

# A save of an older version interrupted by a full disk left part of a record at the end: the file is
# read as the sheets it holds, with a note on stderr; reparer cuts it after keeping a copy.
REP2="$WORK/reparer"; mkdir "$REP2"
"$FIBTOOL" -C "$REP2" demo --fiches 32 >/dev/null
head -c 8 /dev/zero >>"$REP2/FIB.DAT"
check "lire après un disque plein" 0 "$FIBTOOL" -C "$REP2" lire FIB.DAT
grep -q "^Fiches	32$" "$WORK/out" && grep -q "FIB.DAT se termine par une fiche incomplète (8 octets" "$WORK/err" \
    || { echo "ÉCHEC lire fiche incomplète : $(cat "$WORK/err")"; fail=$((fail+1)); }
check "reparer" 0 "$FIBTOOL" -C "$REP2" reparer FIB.DAT
[ "$(cat "$WORK/out")" = "FIB.DAT : 8 octets coupés après la fiche 32 (8192 octets, puis 8184) ; copie de l'original : FIB.DAT.avant-reparation" ] \
    && [ "$(stat -c %s "$REP2/FIB.DAT")" -eq 8184 ] && [ "$(stat -c %s "$REP2/FIB.DAT.avant-reparation")" -eq 8192 ] \
    || { echo "ÉCHEC reparer : $(cat "$WORK/out")"; fail=$((fail+1)); }
check "reparer sans rien à couper" 0 "$FIBTOOL" -C "$REP2" reparer FIB.DAT
[ "$(cat "$WORK/out")" = "FIB.DAT : rien à réparer (32 fiches, 8184 octets)" ] || { echo "ÉCHEC reparer 2"; fail=$((fail+1)); }
head -c 300 "$REP2/FIB.DAT" >"$REP2/COURT.DAT"
check "reparer un fichier trop court pour son nombre" 1 "$FIBTOOL" -C "$REP2" reparer COURT.DAT
[ "$(stat -c %s "$REP2/COURT.DAT")" -eq 300 ] || { echo "ÉCHEC reparer a touché COURT.DAT"; fail=$((fail+1)); }

echo "fibtool: $passed passed, $fail failed"
[ "$fail" -eq 0 ]
