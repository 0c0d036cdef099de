#!/usr/bin/env bash
# Installs Nivelon's packages on this machine and checks them. First nivelon-cli
# alone: its tools start, and it brought no GUI library. Then nivelon: the installed
# program starts under Xvfb, and on a fresh settings store the sensor model dialog
# comes first and once a model is chosen the main window follows. Meant for a fresh
# Debian 12 root (it installs the packages and a few X tools as root), from the
# outside:
#   sudo FRESH_COPY=build-package/nivelon-cli_1.4.3_amd64.deb:build-package/nivelon_1.4.3_amd64.deb \
#       ./scripts/fresh-root.sh \
#       './scripts/check-package.sh /root/nivelon-cli_1.4.3_amd64.deb /root/nivelon_1.4.3_amd64.deb'
# It leaves screenshots of both windows beside the window's package.
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 NIVELON-CLI.deb NIVELON.deb" >&2; exit 2; }
cli_package=$(realpath "$1")
package=$(realpath "$2")
shots=$(dirname "$package")
export DEBIAN_FRONTEND=noninteractive
fail() { echo "check-package: $*" >&2; exit 1; }
not_found() { ldd "$@" | grep 'not found' || true; }

apt-get update -qq
apt-get install -y -qq "$cli_package" >/dev/null
missing=$(not_found /usr/bin/nivelon-cli /usr/bin/nivelon-sim)
[[ -z $missing ]] || fail "libraries not found:" "$missing"
gui=$(dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' |
    awk '$1 == "ii" && $2 ~ /^(libqt5gui5|libqt5widgets5|libqt5opengl5|libqwt)/ {print $2}')
[[ -z $gui ]] || fail "nivelon-cli brought GUI libraries:" $gui
nivelon-cli --help >/dev/null || fail "nivelon-cli does not start"
# Minimal roots may leave out the documentation they install; the package must hold it.
dpkg-deb -c "$cli_package" | grep -q '/usr/share/man/man1/nivelon-cli\.1\.gz$' ||
    fail "nivelon-cli's manual page is not in the package"
nivelon-sim --help >/dev/null || fail "nivelon-sim does not start"
echo "check-package: installed $(dpkg-query -W -f '${Package} ${Version}' nivelon-cli), without GUI libraries"

apt-get install -y -qq "$package" >/dev/null
missing=$(not_found /usr/bin/nivelon)
[[ -z $missing ]] || fail "libraries not found:" "$missing"
for file in /usr/share/applications/com.korinta.Nivelon.desktop \
    /usr/share/icons/hicolor/64x64/apps/com.korinta.Nivelon.png \
    /usr/share/metainfo/com.korinta.Nivelon.metainfo.xml; do
    [[ -f $file ]] || fail "$file is not installed"
done
echo "check-package: installed $(dpkg-query -W -f '${Package} ${Version}' nivelon)"

# Only now the X tools, so that they cannot bring in a library the package forgot.
apt-get install -y -qq --no-install-recommends xvfb xauth xdotool x11-apps >/dev/null

export XDG_CONFIG_HOME=$(mktemp -d)
cat >"$XDG_CONFIG_HOME/session.sh" <<SESSION
set -euo pipefail
nivelon >"$XDG_CONFIG_HOME/nivelon.log" 2>&1 &
program=\$!
dialog=\$(timeout 30 xdotool search --sync --name '^Choose sensor model\$' | head -1)
xwd -silent -root >"$shots/model-dialog.xwd"
xdotool windowfocus --sync "\$dialog" key Return
window=\$(timeout 30 xdotool search --sync --name '^Nivelon [0-9.]+\$' | head -1)
sleep 2
xwd -silent -root >"$shots/main-window.xwd"
echo "check-package: the model dialog and then the window \"\$(xdotool getwindowname "\$window")\" were shown"
kill "\$program"
wait "\$program" || true
SESSION
if ! xvfb-run -a -s '-screen 0 1280x800x24' bash "$XDG_CONFIG_HOME/session.sh"; then
    echo "check-package: the program did not show its windows; its output:" >&2
    cat "$XDG_CONFIG_HOME/nivelon.log" >&2
    exit 1
fi
