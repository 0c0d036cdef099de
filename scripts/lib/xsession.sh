# Sourced by the measurement scripts: a scratch folder, the background processes
# they start (stopped however the script ends) and a private Xvfb display.
work=$(mktemp -d)
pids=()
finish() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

# Xvfb picks a free display itself and writes its number to the file.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    local _
    for _ in $(seq 50); do
        [[ -s $work/display ]] && break
        sleep 0.1
    done
    export DISPLAY=:$(cat "$work/display")
}
