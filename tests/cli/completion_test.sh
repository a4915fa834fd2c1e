#!/usr/bin/env bash
# The bash completion against the built program: completion_test.sh COMPLETION_FILE PROGRAM_DIR
set -u
source "$1"
PATH="$2:$PATH"
XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
failures=0

# expect "REPLY" WORD... : the reply, sorted and joined by '|', when the last word is completed.
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _keylume
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd '|')
    if [[ $got != "$wanted" ]]; then
        echo "FAIL: \"$*\": got \"$got\", wanted \"$wanted\""
        failures=$((failures + 1))
    fi
}

expect "status" keylume st
expect "assign" keylume a
expect "diagnose" keylume di
expect "macros" keylume ma
expect "import" keylume im
expect "--partial" keylume import keyboard.json --pa
expect "--dry-run" keylume import keyboard.json --dr
expect "--emulate" keylume export keyboard.json --em
expect "export" keylume macros ex
expect "--emulate|--help|--json|--verbose" keylume diagnose --
expect "--direction" keylume set --dir
expect "anticlockwise" keylume set --direction a
expect "auto" keylume set --colour a
expect "" keylume paint --colour ""
expect "1|2|3|4" keylume set --colour-set ""
expect "--json" keylume status --j
expect "--colour" keylume paint Esc --c
expect "--clear" keylume assign F1 --cl
expect "ArrowDown|ArrowLeft|ArrowRight|ArrowUp" keylume paint Arrow
expect 'Pad\ 7' keylume paint Esc 'Pad\ 7'
expect 'Pad\ Enter' keylume paint 'Pad\ E'
expect 'ISO#|ISO\\' keylume paint IS
expect "\\'" keylume paint "'"
expect 'Volume\ down|Volume\ up' keylume assign F1 --function Vol
expect "Copy" keylume assign F1 --combination Co
expect "" keylume --emulate=absent set --mode ""
expect "" keylume set --speed ""
# Commands and options come from the program: after leading options too.
expect "$(keylume --list-commands | LC_ALL=C sort | paste -sd '|')" keylume --emulate keyboard ""
expect "status" keylume --json --emulate=absent st
expect "--partial" keylume -v import keyboard.json --pa
expect "--screenshot" keylume --emulate --scr
# Mode names from the keyboard the line names; file names keep their spaces.
expect "Breathing" keylume --emulate set --mode Br
touch "$XDG_CONFIG_HOME/my backup.json"
expect "$XDG_CONFIG_HOME/my backup.json" keylume import "$XDG_CONFIG_HOME/my"

exit $((failures > 0))
