#!/usr/bin/env bash
# The layering check on a small tree whose violations are known: each wrong include is reported,
# the right ones are not, and --strict turns a report into a failure.
set -euo pipefail
CHECK=$(cd "$(dirname "$0")" && pwd)/layering.sh
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
cd "$T"

put() {  # put FILE LINE... : writes the lines into src/FILE
    mkdir -p "src/$(dirname "$1")"
    local f=src/$1
    shift
    printf '%s\n' "$@" >"$f"
}
for s in store print entry eval pool ref; do put "core/$s/$s.h" "#pragma once"; done
for s in ui store entry eval pool ref app; do put "gui/$s/G$s.h" "#pragma once"; done
put core/CMakeLists.txt "# not a source"

# Allowed: down the ladder, own subsystem, own folder, the core from anywhere in the gui, app on anything.
put core/print/a.cpp '#include "store/store.h"' '#include "print/print.h"' '#include <vector>'
put core/entry/a.cpp '#include "print/print.h"' '#include "store/store.h"'
put core/ref/a.cpp '#include "pool/pool.h"' '#include "eval/eval.h"' '#include "entry/entry.h"'
put gui/eval/a.cpp '#include "Geval.h"' '#include "ui/Gui.h"' '#include "ref/ref.h"' '#include "pool/pool.h"'
put gui/app/a.cpp '#include "entry/Gentry.h"' '#include "ref/Gref.h"' '#include "ui/Gui.h"'
put gui/app/Forms.cpp 'auto* f = forms.get<TForm>();'
put gui/app/main.cpp 'forms().get<TMain>()->show();'

# Wrong.
put core/store/b.cpp '#include "print/print.h"'                 # up
put core/eval/b.cpp '// peer' '#include "entry/entry.h"'        # peer, on line 2
put core/pool/b.h '#include "ref/ref.h"'                        # up
put core/entry/b.cpp '#include "ui/Gui.h"' '#include "../eval/eval.h"'  # gui header; relative peer
put gui/ui/b.cpp '#include "store/Gstore.h"'                    # a form folder above the adapter
put gui/store/b.cpp '#include "entry/Gentry.h"' '#include "store/store.h"'  # peer form; core is fine
put gui/pool/b.cpp '#include "app/Gapp.h"'                      # app above the forms
put gui/ref/b.cpp 'void f() { forms.get<TOther>(); }' 'void g() { ctx.forms().get<TOther>(); }'

set +e
out=$(bash "$CHECK" "$T/src")
rc=$?
bash "$CHECK" --strict "$T/src" >/dev/null
strict_rc=$?
set -e

expected='layering: src/core/entry/b.cpp:1 includes "ui/Gui.h": the core never includes the gui
layering: src/core/entry/b.cpp:2 includes "../eval/eval.h": core entry and core eval are peers
layering: src/core/eval/b.cpp:2 includes "entry/entry.h": core eval and core entry are peers
layering: src/core/pool/b.h:1 includes "ref/ref.h": core ref sits above core pool
layering: src/core/store/b.cpp:1 includes "print/print.h": core print sits above core store
layering: src/gui/pool/b.cpp:1 includes "app/Gapp.h": gui app sits above gui pool
layering: src/gui/store/b.cpp:1 includes "entry/Gentry.h": gui store and gui entry are peers (open a form through ui/Navigation.h)
layering: src/gui/ui/b.cpp:1 includes "store/Gstore.h": gui store sits above gui ui
layering: src/gui/ref/b.cpp:1 reaches a form with forms.get<>: open it through ui/Navigation.h
layering: src/gui/ref/b.cpp:2 reaches a form with forms.get<>: open it through ui/Navigation.h
layering: 10 violation(s)'

fail=0
if [ "$out" != "$expected" ]; then
    echo "unexpected report:"
    diff <(echo "$expected") <(echo "$out") || true
    fail=1
fi
[ "$rc" -eq 77 ] || { echo "warning mode exit $rc, expected 77"; fail=1; }
[ "$strict_rc" -eq 1 ] || { echo "strict mode exit $strict_rc, expected 1"; fail=1; }

# A clean tree passes in both modes.
rm -f src/core/*/b.* src/gui/*/b.*
bash "$CHECK" --strict "$T/src" >/dev/null || { echo "a clean tree fails the strict check"; fail=1; }
exit $fail
