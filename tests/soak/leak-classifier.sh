#!/usr/bin/env bash
# The soak's leak classifier over captured reports: the program's own platform leaks
# (D-Bus, and Mesa through a library already closed at the report), and a probe linked
# with our code whose leaked model sits in a reference cycle, so that every one of its
# leaks is indirect.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
classify=$here/../../scripts/soak-leaks.sh
ours=$here/leaks-ours.txt
platform=$here/leaks-platform.txt
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cat "$ours" "$platform" >"$scratch/both"
# What the sanitizer prints when a stack is cut off inside Qt, or without modules.
sed -n '/^Indirect leak of 136 /,/ #2 /p' "$ours" >"$scratch/cut"
sed 's/ {[^{}]*}$//' "$ours" >"$scratch/bare"

failures=0
# check NAME LOG FOLDER EXIT OURS PLATFORMS [OPTION]
check() {
    local out got
    out=$("$classify" "${@:7}" "$2" "$3")
    got="$? $(grep -c ' is ours: ' <<<"$out") $(grep -c " is the platform's: " <<<"$out")"
    if [[ $got != "$4 $5 $6" ]]; then
        echo "FAIL: $1: exit, ours, platform's: $got; expected $4 $5 $6"
        echo "$out"
        failures=$((failures + 1))
    fi
}
root=/home/dev/nivelon
check "platform leaks only" "$platform" $root 0 0 2
check "our cycle among platform leaks" "$scratch/both" $root 1 4 2
check "stack cut off inside Qt" "$scratch/cut" $root 1 1 0
check "frames without their module" "$scratch/bare" $root 1 4 0
check "a folder is not a prefix of a name" "$ours" /home/dev/nivelo 0 0 4
check "no report" /dev/null $root 0 0 0
check "fast stacks: platform leaks placed by their first frame" "$platform" $root 0 0 2 --fast-stacks
check "fast stacks: nothing past Qt is believed" "$ours" /home/dev/nivelo 1 1 3 --fast-stacks
((failures == 0))
