# Sourced by the command-line tests of fibtool: a work folder removed at exit,
# the counts of checks passed and failed, and what every check starts with.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail=0; passed=0

# exit_is NAME EXPECTED_EXIT COMMAND... : runs the command, its output in
# $WORK/out and $WORK/err; true when it ends with the expected code, else the
# failure is told (with the command's errors) and counted.
exit_is() {
    local name=$1 want=$2; shift 2
    "$@" >"$WORK/out" 2>"$WORK/err"
    local got=$?
    [ "$got" -eq "$want" ] && return 0
    echo "ÉCHEC $name : code $got au lieu de $want"; cat "$WORK/err"; fail=$((fail+1))
    return 1
}
