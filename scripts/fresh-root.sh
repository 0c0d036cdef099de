#!/usr/bin/env bash
# Runs a command in a clean clone of the committed project inside a freshly
# bootstrapped minimal Debian 12 root, the way a new user on a new machine would
# run it. Needs root (debootstrap, mount, chroot).
#
#   scripts/fresh-root.sh './scripts/test.sh'
#
# Exits 75 when no root can be made here (not root, no debootstrap, no mirror), so
# a caller can fall back; otherwise with the command's own status. The bootstrapped
# root is cached as a tarball (FRESH_CACHE, default /tmp/fresh-bookworm.tar) and
# every run unpacks a new copy, removed afterwards. FRESH_COPY names files
# (colon-separated) that are copied into the root's /root/ first, e.g. a package.
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 'COMMAND'" >&2; exit 2; }
project=$(cd "$(dirname "$0")/.." && pwd)
command=$1
cache=${FRESH_CACHE:-/tmp/fresh-bookworm.tar}
cannot() { echo "fresh-root: $*" >&2; exit 75; }

[[ $(id -u) -eq 0 ]] || cannot "needs root"
command -v git >/dev/null || cannot "needs git"
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null 2>&1 \
    || cannot "debootstrap is not installed and cannot be"

if [[ ! -f "$cache" ]]; then
    sources=/etc/apt/sources.list.d/debian.sources
    mirror=$(awk '/^URIs:/{print $2; exit}' "$sources" 2>/dev/null || true)
    [[ -n "$mirror" ]] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
    [[ -n "$mirror" ]] || cannot "no Debian mirror configured"
    staging=$(mktemp -d)
    echo "fresh-root: bootstrapping a minimal Debian 12 root (once)..."
    debootstrap --variant=minbase bookworm "$staging" "$mirror" >/tmp/fresh-debootstrap.log 2>&1 \
        || { rm -rf "$staging"; cannot "debootstrap failed, see /tmp/fresh-debootstrap.log"; }
    cp "$sources" "$staging/etc/apt/sources.list.d/" 2>/dev/null || true
    tar -C "$staging" -cf "$cache.part" . && mv "$cache.part" "$cache"
    rm -rf "$staging"
fi

root=$(mktemp -d /tmp/fresh-root.XXXX)
cleanup() {
    for mount in dev/pts dev sys proc; do umount -l "$root/$mount" 2>/dev/null || true; done
    # Never remove a tree that still has the host's /dev or /sys bound inside it.
    grep -q " $root/" /proc/mounts || rm -rf "$root"
}
trap cleanup EXIT
tar -C "$root" -xf "$cache"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
git clone -q "$project" "$root/root/project"
IFS=: read -ra copies <<<"${FRESH_COPY:-}"
for file in "${copies[@]}"; do cp "$file" "$root/root/"; done
chroot "$root" /bin/bash -lc "cd /root/project && export HOME=/root && $command"
