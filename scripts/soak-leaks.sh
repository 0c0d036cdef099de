#!/usr/bin/env bash
# Tells the program's leaks from the platform's in a sanitizer log whose frames end in
# their module, as the soak asks for: stack_trace_format='    #%n %p %F %L {%m}'.
# Walking a leak's stack outwards from the allocation, the frames of the sanitizer and
# of the libraries our code calls itself (the C and C++ runtimes, Qt Core, Gui, Widgets
# and SerialPort, Qwt, libudev) only carry out a caller's request; the first frame
# outside them decides. It is ours when its module lies in one of the FOLDERs (the
# sources and the build), the platform's otherwise (Qt's platform plugins, D-Bus,
# fontconfig, Mesa, the X libraries, or a library already unloaded: our code never
# is). A stack without such a frame (cut off, or printed without modules) counts as
# ours, so that a report we cannot read never passes for the platform's. An indirect
# leak is placed by its own allocation too: a block that a lost platform object holds
# but our code allocated (one of our widgets' connections to a screen) counts as ours.
# A suppression in LSAN_OPTIONS naming the platform function that made the lost object
# settles that, as the sanitizer spares whatever a suppressed leak points to.
# --fast-stacks: the stacks come from the sanitizer's frame-pointer unwinder, which
# steps past a frame of a library built without frame pointers only by chance. Only
# the first frame outside the sanitizer is then sure, and when it is one of the
# carrying libraries the leak cannot be placed.
# Prints one line per leak; exits 1 when any is ours.
#   ./scripts/soak-leaks.sh [--fast-stacks] LOG FOLDER...
set -euo pipefail
fast=0
if [[ $1 == --fast-stacks ]]; then
    fast=1
    shift
fi
log=$1
shift
folders=$(printf '%s\n' "$@")

awk -v folders="$folders" -v fast=$fast '
BEGIN {
    count = split(folders, ours, "\n")
    sanitizer = "/lib(asan|ubsan)\\.so[^/]*$"
    carriers = "/(libstdc\\+\\+|libgcc_s|libc|libm|libpthread|libdl|ld-linux-x86-64|libQt5Core|libQt5Gui" \
        "|libQt5Widgets|libQt5SerialPort|libqwt-qt5|libudev)\\.so[^/]*$"
}
function module(frame) {
    return match(frame, /[{][^{}]*[}]$/) ? substr(frame, RSTART + 1, RLENGTH - 2) : ""
}
function in_our_folders(path,    i) {
    for (i = 1; i <= count; i++)
        if (index(path, ours[i] "/") == 1)
            return 1
    return 0
}
function report() {
    if (leak == "")
        return
    if (owner == "") {
        owner = "ours"
        frame = "cannot be placed, the last frame read is " frame
    }
    ours_found += (owner == "ours")
    printf "%s is %s: %s\n", leak, owner == "ours" ? "ours" : "the platform'\''s", frame
    leak = ""
}
/^(Direct|Indirect) leak of / {
    report()
    leak = $0
    sub(/ allocated from:$/, "", leak)
    owner = frame = ""
    cut = 0
    next
}
leak != "" && /^ *#[0-9]+ / {
    if (owner != "" || cut)
        next
    frame = $0
    sub(/^ +/, "", frame)
    path = module($0)
    if (in_our_folders(path))
        owner = "ours"
    else if (path == "" || path ~ carriers)
        cut = fast
    else if (path !~ sanitizer)
        owner = "platform"
    next
}
{ report() }
END {
    report()
    exit ours_found > 0
}' "$log"
