#!/usr/bin/env bash
# fibtool's sealed copies: the coordinator's key, a centre's sending, chiffrer
# and dechiffrer, and the collection of sealed files with the key; the exit
# codes, the messages and the files written (or not written).
set -u
FIBTOOL=$1
DATA="$(cd "$(dirname "$0")" && pwd)/data/pays"
source "$(dirname "$0")/cli_common.sh"
check() {  # check NAME EXPECTED_EXIT STDERR_PATTERN COMMAND...
    local name=$1 want=$2 pattern=$3; shift 3
    if ! exit_is "$name" "$want" "$@" </dev/null; then
        return
    elif [ -n "$pattern" ] && ! grep -q -- "$pattern" "$WORK/err"; then
        echo "ÉCHEC $name : « $pattern » absent de : $(cat "$WORK/err")"; fail=$((fail+1))
    else
        passed=$((passed+1))
    fi
}
ok() {  # ok NAME CONDITION...
    local name=$1; shift
    if "$@"; then passed=$((passed+1)); else echo "ÉCHEC $name"; fail=$((fail+1)); fi
}
mkdir "$WORK/coord" "$WORK/centre"
printf 'phrase du coordinateur\n' >"$WORK/coord.phrase"
printf 'une autre phrase\n' >"$WORK/autre.phrase"
printf '\n' >"$WORK/vide.phrase"
cp "$DATA"/FIB[123].DAT "$WORK/coord/"
cp "$DATA/FIB2.DAT" "$WORK/centre/FIB.DAT"
T="$FIBTOOL -C $WORK"

# The coordinator's key: created once, its fingerprint printed, never replaced.
check "cle-coordination" 0 "" $T cle-coordination coord --phrase-de coord.phrase
ok "empreinte" grep -q '^Empreinte : [0-9A-F]\{4\}-[0-9A-F]\{4\}-[0-9A-F]\{4\}-[0-9A-F]\{4\}$' "$WORK/out"
FP=$(sed -n 's/^Empreinte : //p' "$WORK/out")
cp "$WORK/coord/coordination.cle" "$WORK/cle.avant"
check "clé jamais remplacée" 1 "existe déjà" $T cle-coordination coord --phrase-de coord.phrase
ok "clé inchangée" cmp -s "$WORK/coord/coordination.cle" "$WORK/cle.avant"
check "phrase vide" 2 "vide" $T cle-coordination centre --phrase-de vide.phrase
check "sans terminal ni --phrase-de" 2 "phrase-de" setsid -w $T chiffrer centre/FIB.DAT
check "pas de phrase sur la ligne de commande" 2 "" $T chiffrer centre/FIB.DAT --phrase secret

# A centre sends its file: FIB2.DAT.chiffre beside it, the fingerprint named.
check "envoyer sans clé" 2 "--cle" $T envoyer centre/FIB.DAT
check "envoyer avec la clé secrète" 1 "clé publique" $T envoyer centre/FIB.DAT --cle coord/coordination.cle
check "envoyer" 0 "" $T envoyer centre/FIB.DAT --cle coord/coordination.pub
ok "envoyer : sortie" grep -q "centre/FIB2.DAT.chiffre (centre 2, .*$FP" "$WORK/out"
ok "envoyer : rien de lisible" bash -c "! grep -q '/19' '$WORK/centre/FIB2.DAT.chiffre'"

# The collection: the sealed file in place of the plain one, the key's passphrase once.
mv "$WORK/coord/FIB2.DAT" "$WORK/FIB2.DAT.clair"
cp "$WORK/centre/FIB2.DAT.chiffre" "$WORK/coord/"
check "collecte sans clé" 1 "coordination.cle" $T -C coord collecte Pool.Dat
check "collecte, mauvaise phrase" 1 "phrase secrète incorrecte" \
    $T -C coord collecte Pool.Dat --cle coordination.cle --phrase-de ../autre.phrase
ok "rien d'écrit" test ! -e "$WORK/coord/Pool.Dat"
check "collecte chiffrée" 0 "1 fichier chiffré ouvert" \
    $T -C coord collecte Pool.Dat --cle coordination.cle --phrase-de ../coord.phrase
ok "collecte : message" test "$(cat "$WORK/out")" = "3 centres, 84 fiches"
cp "$WORK/FIB2.DAT.clair" "$WORK/coord/FIB2.DAT"
check "présent en clair et chiffré" 1 "présent deux fois" \
    $T -C coord collecte Pool2.Dat --cle coordination.cle --phrase-de ../coord.phrase
rm "$WORK/coord/FIB2.DAT"
printf '\x01' | dd of="$WORK/coord/FIB2.DAT.chiffre" bs=1 seek=500 conv=notrunc status=none
check "fichier altéré" 1 "FIB2.DAT.chiffre : fichier altéré" \
    $T -C coord collecte Pool2.Dat --cle coordination.cle --phrase-de ../coord.phrase
ok "rien d'écrit (altéré)" test ! -e "$WORK/coord/Pool2.Dat"

# chiffrer and dechiffrer, under a passphrase.
cp "$WORK/centre/FIB.DAT" "$WORK/FIB.avant"
check "chiffrer" 0 "" $T chiffrer centre/FIB.DAT --phrase-de autre.phrase
check "chiffrer : existe déjà" 2 "--remplacer" $T chiffrer centre/FIB.DAT --phrase-de autre.phrase
check "dechiffrer : existe déjà" 2 "--remplacer" $T dechiffrer centre/FIB.DAT.chiffre --phrase-de autre.phrase
check "dechiffrer : mauvaise phrase" 1 "phrase secrète incorrecte" \
    $T dechiffrer centre/FIB.DAT.chiffre --remplacer --phrase-de coord.phrase
ok "FIB.DAT intact" cmp -s "$WORK/centre/FIB.DAT" "$WORK/FIB.avant"
rm "$WORK/centre/FIB.DAT"
check "dechiffrer" 0 "" $T dechiffrer centre/FIB.DAT.chiffre --phrase-de autre.phrase
ok "aller-retour octet pour octet" cmp -s "$WORK/centre/FIB.DAT" "$WORK/FIB.avant"
check "dechiffrer : pas un .chiffre" 2 ".chiffre" $T dechiffrer centre/FIB.DAT --phrase-de autre.phrase

echo "$passed vérifications réussies, $fail échecs"
[ "$fail" -eq 0 ]
