#!/usr/bin/env bash
# Installs a Nivelon package on this machine and checks that the installed program
# starts under Xvfb: on a fresh settings store the sensor model dialog comes first,
# and once a model is chosen the main window follows. Meant for a fresh Debian 12
# root (it installs the package and a few X tools as root), from the outside:
#   sudo FRESH_COPY=build-package/nivelon_1.4.3_amd64.deb \
#       ./scripts/fresh-root.sh './scripts/check-package.sh /root/nivelon_1.4.3_amd64.deb'
# It leaves screenshots of both windows beside the package.
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 PACKAGE.deb" >&2; exit 2; }
package=$(realpath "$1")
shots=$(dirname "$package")
export DEBIAN_FRONTEND=noninteractive

apt-get update -qq
apt-get install -y -qq "$package" >/dev/null
missing=$(ldd /usr/bin/nivelon /usr/bin/nivelon-sim | grep 'not found' || true)
[[ -z $missing ]] || { echo "check-package: libraries not found:" "$missing" >&2; exit 1; }
for file in /usr/share/applications/com.korinta.Nivelon.desktop \
    /usr/share/icons/hicolor/64x64/apps/com.korinta.Nivelon.png \
    /usr/share/metainfo/com.korinta.Nivelon.metainfo.xml; do
    [[ -f $file ]] || { echo "check-package: $file is not installed" >&2; exit 1; }
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
