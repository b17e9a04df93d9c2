#!/usr/bin/env bash
# Checks that includes run down the ladders and that forms open each other only through the navigation seam.
#   tests/layering.sh [--strict] [SRC_DIR]
# Core:  store < formats < print < entry, eval (peers) < pool < ref < exchange
# Gui:   ui < store, entry, eval, pool, ref forms (peers) < app (app may include anything)
# A header of the file's own subsystem is always fine, so is a core header from the gui.
# Prints every violation. Exit: 0 clean; with --strict 1 on a violation, otherwise 77 (CTest's "skipped").
set -uo pipefail

strict=0
if [ "${1:-}" = "--strict" ]; then
    strict=1
    shift
fi
SRC=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
cd "$SRC" || exit 2

core_level() {
    case "$1" in
    store) echo 0 ;;
    formats) echo 1 ;;
    print) echo 2 ;;
    entry | eval) echo 3 ;;
    pool) echo 4 ;;
    ref) echo 5 ;;
    exchange) echo 6 ;;
    *) echo -1 ;;
    esac
}
gui_level() {
    case "$1" in
    ui) echo 0 ;;
    store | entry | eval | pool | ref) echo 1 ;;
    app) echo 2 ;;
    *) echo -1 ;;
    esac
}

violations=0
report() {
    echo "layering: $1"
    violations=$((violations + 1))
}

# Where a quoted include of FILE resolves: prints "layer subsystem", nothing for a file outside the layers.
# The compiler looks in the including file's folder first, then in the target's include roots
# (gui: src/gui, then src/core; core: src/core).
resolve() {
    local file=$1 inc=$2 layer=$3 dir path
    dir=$(dirname "$file")
    if [ -f "$dir/$inc" ]; then
        path=$(realpath -m --relative-to=. "$dir/$inc")
    elif [ "$layer" = gui ] && [ -f "gui/$inc" ]; then
        path=gui/$inc
    elif [ -f "core/$inc" ]; then
        path=core/$inc
    elif [ -f "gui/$inc" ]; then
        path=gui/$inc  # from the core this does not compile; say why
    else
        path=$layer/$inc  # missing header: judge it by its name
    fi
    case "$path" in
    core/*/* | gui/*/*)
        local rest=${path#*/}
        echo "${path%%/*} ${rest%%/*}"
        ;;
    esac
}

for layer in core gui; do
    [ -d "$layer" ] || continue
    while IFS= read -r file; do
        rest=${file#"$layer"/}
        sub=${rest%%/*}
        [ "$sub" = "$rest" ] && continue  # a file beside the subsystems (CMakeLists.txt)
        if [ "$layer" = core ]; then own=$(core_level "$sub"); else own=$(gui_level "$sub"); fi
        [ "$own" -lt 0 ] && continue
        while IFS=: read -r line inc; do
            target=$(resolve "$file" "$inc" "$layer")
            [ -z "$target" ] && continue
            tlayer=${target% *}
            tsub=${target#* }
            where="src/$file:$line includes \"$inc\""
            if [ "$layer" = core ]; then
                if [ "$tlayer" = gui ]; then
                    report "$where: the core never includes the gui"
                    continue
                fi
                [ "$tsub" = "$sub" ] && continue
                lvl=$(core_level "$tsub")
                if [ "$lvl" -eq "$own" ]; then
                    report "$where: core $sub and core $tsub are peers"
                elif [ "$lvl" -gt "$own" ]; then
                    report "$where: core $tsub sits above core $sub"
                fi
            else
                [ "$tlayer" = core ] && continue
                [ "$tsub" = "$sub" ] && continue
                [ "$sub" = app ] && continue
                lvl=$(gui_level "$tsub")
                if [ "$lvl" -eq "$own" ]; then
                    report "$where: gui $sub and gui $tsub are peers (open a form through ui/Navigation.h)"
                elif [ "$lvl" -gt "$own" ]; then
                    report "$where: gui $tsub sits above gui $sub"
                fi
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
            sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
    done < <(find "$layer" -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)
done

# The form registry is reached only where the forms are built, navigated and started.
while IFS=: read -r file line _; do
    case "$file" in
    gui/app/Forms.cpp | gui/app/Navigators.cpp | gui/app/main.cpp) ;;
    *) report "src/$file:$line reaches a form with forms.get<>: open it through ui/Navigation.h" ;;
    esac
done < <(grep -rnE 'forms(\(\))?\.get<' --include='*.cpp' --include='*.h' . 2>/dev/null | sed 's|^\./||' |
    LC_ALL=C sort -t: -k1,1 -k2,2n)

if [ "$violations" -eq 0 ]; then
    echo "layering: no include runs the wrong way"
    exit 0
fi
echo "layering: $violations violation(s)"
[ "$strict" -eq 1 ] && exit 1
exit 77
