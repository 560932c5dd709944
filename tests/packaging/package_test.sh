#!/usr/bin/env bash
# Makes the Debian package of the build, has Debian's package checker and the AppStream
# validator judge it, unpacks it into a scratch root and starts the installed launcher there
# under Xvfb, from another working directory, as a user would. Run as root, it starts the
# program as the unprivileged user nobody, so that a file only root may read shows.
#   package_test.sh BUILD_DIR COMPANY_URL   (the company page address the build was set up for)
set -euo pipefail
build=$(readlink -f "$1")
company_url=$2
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

# lintian prints every tag it finds; only errors and warnings fail.
lintian --fail-on error,warning --tag-display-limit 0 --display-info "$deb" || fail "lintian"

root="$scratch/root"
dpkg -x "$deb" "$root"
id=example.brenik.Norvel
desktop="$root/usr/share/applications/$id.desktop"
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop entry"
grep -q '^Name\[de\]=' "$desktop" || fail "German name"
appstreamcli validate --no-net "$metainfo" || fail "AppStream metadata"
appstreamcli validate-tree --no-net "$root" >/dev/null || fail "AppStream metadata in the installed tree"
# The software centre joins the metadata to the desktop entry by id, and shows the entry's
# name and icon: they must agree.
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
entry() { sed -n "s/^$1=//p" "$desktop"; }
grep -q "<name>$(entry Name)</name>" "$metainfo" || fail "the metadata's name is not the entry's"
grep -q "<icon type=\"stock\">$(entry Icon)</icon>" "$metainfo" || fail "the metadata's icon is not the entry's"
MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/norvel.1.gz" 2>&1 >/dev/null | grep . &&
  fail "the manual page has warnings"
for size in 16 32 48 64; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$(entry Icon).png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon at $size pixels"
done
for file in resources/db/norvel.sqlite resources/gui/NorvelFrame.xml \
            resources/languages/de/Norvel.mo resources/print/de/company.tpl \
            resources/informations/Information.html; do
  [ -f "$root/usr/share/norvel/$file" ] || fail "$file is not installed"
done

# The installed program opens company pages on the site the build was configured for.
grep -qF "$company_url" "$root/usr/lib/norvel/norvel" ||
  fail "the installed program does not hold the company page address $company_url"

# As root the program starts as nobody through setpriv, as a user who owns none of its files
# would start it: nobody needs the scratch tree readable and a home of its own, and the X
# server lets every user in (-ac).
user=$(id -un)
as_user=()
mkdir -p "$scratch/home"
if [ "$(id -u)" -eq 0 ]; then
  user=nobody
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  chmod 755 "$scratch"
  chown nobody:nogroup "$scratch/home"
fi

# The main window's title shows once the program has found its database and layouts; a
# missing resource would show the German error box instead.
cat >"$scratch/start.sh" <<SCRIPT
cd /
HOME="$scratch/home" NO_AT_BRIDGE=1 ${as_user[*]} "$root/usr/bin/norvel" &
pid=\$!
for _ in \$(seq 100); do
  if xwininfo -root -tree | grep -q 'norvel - Ved Avadirizaziz'; then
    owner=\$(stat -c %U /proc/\$pid)
    kill \$pid; wait \$pid 2>/dev/null
    [ "\$owner" = "$user" ] && exit 0
    echo "the program ran as \$owner instead of $user"; exit 1
  fi
  kill -0 \$pid 2>/dev/null || break
  sleep 0.2
done
xwininfo -root -tree | grep '"' | head -20
kill \$pid 2>/dev/null; exit 1
SCRIPT
xvfb-run -a -s "-ac -screen 0 1280x1024x24" bash "$scratch/start.sh" ||
  fail "the installed program did not open its main window as $user"
echo "1 passed, 0 failed"
