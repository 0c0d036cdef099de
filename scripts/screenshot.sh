#!/usr/bin/env bash
# Makes docs/screenshot.png (English) and docs/screenshot-ru.png (Russian), each
# from a real run of the demo under Xvfb: the first Omnicomm sensor's tab after
# some seconds of plot, with the line-data dock that diagnostic mode shows. The
# language is the system's, set through the locale as a user's is; each run
# starts from first-start settings in a temporary folder.
#   ./scripts/screenshot.sh [SECONDS-OF-PLOT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}

# xdotool presses the keys, xwd grabs the window, netpbm turns it into a PNG.
needed=()
for tool in xdotool:xdotool xwd:x11-apps xwdtopnm:netpbm; do
    command -v "${tool%%:*}" >/dev/null || needed+=("${tool#*:}")
done
if [[ ${#needed[@]} -gt 0 ]]; then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${needed[@]}"
fi
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

work=$(mktemp -d)
# Xvfb picks a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
demo_pid=
finish() {
    [[ -n $demo_pid ]] && kill "$demo_pid" 2>/dev/null && wait "$demo_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
for _ in $(seq 50); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$work/display")

# shoot LOCALE OUTPUT: one demo run in that locale, its window grabbed into OUTPUT.
shoot() {
    local locale=$1 output=$2
    env -u LC_ALL -u LC_MESSAGES -u LC_NUMERIC -u LANGUAGE LANG="$locale" \
        NIVELON_DEMO_DIR="$work/demo-$locale" "$root/scripts/run.sh" --demo -g \
        >"$work/demo-$locale.log" 2>&1 &
    demo_pid=$!
    local window
    window=$(timeout 60 xdotool search --sync --name '^Nivelon 1' | head -1)
    xdotool windowsize "$window" 1580 920
    xdotool windowfocus --sync "$window"
    # With -g the line-data dock shows from the start.
    sleep "$seconds"
    mkdir -p "$(dirname "$output")"
    xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$output"
    xdotool key --clearmodifiers ctrl+q
    wait "$demo_pid" || true
    demo_pid=
    echo "Wrote $output"
    sed -n '/line:$/,$p' "$work/demo-$locale.log"
}

shoot en_GB.UTF-8 "$root/docs/screenshot.png"
shoot ru_RU.UTF-8 "$root/docs/screenshot-ru.png"
