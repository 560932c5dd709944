#!/usr/bin/env bash
# Makes the Debian package of the build, unpacks it into a scratch root and starts the
# installed launcher there under Xvfb, from another working directory, as a user would.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(readlink -f "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") || {
  cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)

fail() { echo "FAILED: $*"; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libwxgtk3.2 libsqlite3; do
  [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/norvel.desktop" || fail "desktop entry"
grep -q '^Name\[de\]=' "$root/usr/share/applications/norvel.desktop" || fail "German name"
for size in 16 32 48 64; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/norvel.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon at $size pixels"
done
for file in resources/db/norvel.sqlite resources/gui/NorvelFrame.xml \
            resources/languages/de/Norvel.mo resources/print/de/company.tpl \
            resources/informations/Information.html; do
  [ -f "$root/usr/share/norvel/$file" ] || fail "$file is not installed"
done

# The main window's title shows once the program has found its database and layouts; a
# missing resource would show the German error box instead.
mkdir -p "$scratch/home"
cat >"$scratch/start.sh" <<SCRIPT
cd /
HOME="$scratch/home" "$root/usr/bin/norvel" &
pid=\$!
for _ in \$(seq 100); do
  if xwininfo -root -tree | grep -q 'norvel - Ved Avadirizaziz'; then
    kill \$pid; wait \$pid 2>/dev/null; exit 0
  fi
  kill -0 \$pid 2>/dev/null || break
  sleep 0.2
done
xwininfo -root -tree | grep '"' | head -20
kill \$pid 2>/dev/null; exit 1
SCRIPT
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$scratch/start.sh" || fail "the installed program did not open its main window"
echo "1 passed, 0 failed"
