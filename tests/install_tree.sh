#!/usr/bin/env bash
# The installed tree of a build: programs, desktop entry, icons, metainfo, manual pages, changelog and copyright, the
# entry and the metainfo validated when their validators are installed.
#   install_tree.sh BUILD_DIR
set -u
BUILD=$1
DEST=$(mktemp -d)
trap 'rm -rf "$DEST"' EXIT
fail=0
ko() { echo "ÉCHEC $*"; fail=$((fail+1)); }

cmake --install "$BUILD" --prefix "$DEST/usr" >/dev/null || { echo "ÉCHEC cmake --install"; exit 1; }
S=$DEST/usr/share
for f in bin/peloramix bin/fibtool share/applications/peloramix.desktop \
         share/metainfo/org.telmoris.peloramix.metainfo.xml share/man/man1/fibtool.1.gz \
         share/man/man1/peloramix.1.gz share/doc/peloramix/changelog.gz \
         share/icons/hicolor/scalable/apps/peloramix.svg share/doc/peloramix/copyright; do
    [ -s "$DEST/usr/$f" ] || ko "absent : $f"
done
[ -x "$DEST/usr/bin/peloramix" ] && [ -x "$DEST/usr/bin/fibtool" ] || ko "programmes non exécutables"
# Each PNG is of the size of its folder (width and height in the PNG header).
for s in 16 32 48 64 128 256; do
    png=$S/icons/hicolor/${s}x${s}/apps/peloramix.png
    [ -s "$png" ] || { ko "icône ${s}x${s} absente"; continue; }
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')
    [ "$w" = "$s" ] && [ "$h" = "$s" ] || ko "icône ${s}x${s} : ${w}x${h}"
done
grep -q '^Icon=peloramix$' "$S/applications/peloramix.desktop" || ko "Icon de l'entrée"
grep -q '^Exec=peloramix$' "$S/applications/peloramix.desktop" || ko "Exec de l'entrée"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$S/applications/peloramix.desktop" | grep -v ': hint:' | grep . && ko "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --no-color "$S/metainfo/org.telmoris.peloramix.metainfo.xml" >"$DEST/as" 2>&1 \
        || { cat "$DEST/as"; ko "appstreamcli validate"; }
fi
grep -q "<release version=\"$("$DEST/usr/bin/fibtool" --version | head -1 | awk '{print $3}')\"" \
    "$S/metainfo/org.telmoris.peloramix.metainfo.xml" || ko "version de la metainfo et de fibtool"
grep -q "^License: $(sed -n 's/^PELO_LICENSE:STRING=//p' "$BUILD/CMakeCache.txt")\$" "$S/doc/peloramix/copyright" \
    || ko "licence du fichier copyright"
if command -v groff >/dev/null; then
    for page in fibtool peloramix; do
        warn=$(gzip -dc "$S/man/man1/$page.1.gz" | groff -k -man -Tutf8 -ww -z 2>&1)
        [ -z "$warn" ] || ko "page de manuel de $page : $warn"
    done
fi
[ "$fail" -eq 0 ] && echo "installation : tout est en place"
[ "$fail" -eq 0 ]
