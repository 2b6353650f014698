#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and uses the installed programs from there, as a
# user with an empty home folder would: corvano-cli keeps its settings in ~/.config/corvano,
# corvano finds its pictures under the prefix's share folder, and a double click on a shortcut
# (the desktop's opener) opens its page in the browser. Then a copy unpacked where its user
# cannot write shows its own pictures and keeps the settings in the user's folders.
# Usage: installed-program.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
scratch=$(mktemp -d)
pid_file=$scratch/server.pid
cleanup() {
    kill "$(cat "$pid_file" 2>/dev/null)" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

root=$scratch/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
for file in bin/corvano bin/corvano-cli share/corvano/img/B1.jpg share/corvano/img/B2.jpg \
    share/applications/org.corvano.Corvano.desktop \
    share/applications/org.corvano.Corvano.OpenShortcut.desktop \
    share/metainfo/org.corvano.Corvano.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.corvano.Corvano.svg \
    share/icons/hicolor/48x48/apps/org.corvano.Corvano.png \
    share/man/man1/corvano-cli.1.gz share/man/man1/corvano.1.gz \
    share/bash-completion/completions/corvano-cli; do
    [ -e "$root/usr/$file" ] || fail "cmake --install did not put $file"
done
desktop-file-validate "$share/applications/org.corvano.Corvano.desktop" \
    "$share/applications/org.corvano.Corvano.OpenShortcut.desktop"
appstreamcli validate --no-net "$share/metainfo/org.corvano.Corvano.metainfo.xml" >/dev/null
# The manual page is made from --help, so it lists every option the tool takes.
manual=$(MANWIDTH=200 man -l "$share/man/man1/corvano-cli.1.gz" 2>/dev/null)
for option in $("$root/usr/bin/corvano-cli" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$manual" || fail "the manual page lacks $option"
done

export HOME=$scratch/home
unset XDG_CONFIG_HOME XDG_STATE_HOME
mkdir -p "$HOME/links"
port=$("$source/scripts/serve-examples" "$pid_file")
# A dry run writes nothing, not even the folders of the user's files.
"$root/usr/bin/corvano-cli" --dry-run --url "http://127.0.0.1:$port/list-page.html" \
    --start '<ul class="news">' --end '</ul>' --contains .html | grep -q "\.html" ||
    fail "the installed corvano-cli --dry-run listed no link"
[ ! -e "$HOME/.config/corvano" ] && [ ! -e "$HOME/.local/state/corvano" ] ||
    fail "a dry run made the folders of the user's files"
"$root/usr/bin/corvano-cli" --url "http://127.0.0.1:$port/list-page.html" \
    --folder "$HOME/links/" --template $'[InternetShortcut]\nURL=' \
    --start '<ul class="news">' --end '</ul>' --contains .html --save >/dev/null
written=$(find "$HOME/links" -name '*.url' | wc -l)
[ "$written" -gt 0 ] || fail "the installed corvano-cli wrote no shortcut file"
[ -s "$HOME/.config/corvano/db.dat" ] || fail "--save did not write ~/.config/corvano/db.dat"
# A second run starts from the saved texts.
"$root/usr/bin/corvano-cli" --dry-run | grep -q "\.html" ||
    fail "the saved texts were not read back from ~/.config/corvano/db.dat"

# The window program reaches its launcher's first paint only when both pictures load.
log=$scratch/corvano.log
QT_QPA_PLATFORM=offscreen CORVANO_STARTUP_REPORT=1 "$root/usr/bin/corvano" 2>"$log" &
program=$!
for _ in $(seq 100); do
    grep -q "launcher first paint" "$log" && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
grep -q "launcher first paint" "$log" || fail "the installed corvano did not show its launcher: $(cat "$log")"

# Opening shortcuts as the desktop does: the installed entry claims the type, and the page
# reaches the browser (a stand-in that records what it is given); a file: shortcut does not.
opened=$scratch/opened
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$opened" >"$scratch/browser"
chmod +x "$scratch/browser"
update-desktop-database "$share/applications"
printf '[InternetShortcut]\r\nURL=http://127.0.0.1:%s/news/1.html\r\n' "$port" >"$HOME/a.url"
printf '[InternetShortcut]\r\nURL=file:///etc/passwd\r\n' >"$HOME/local.url"
# xdg-open asks the desktop entries only when there is a display; no window is opened.
desktop() {
    env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION DISPLAY=:99 \
        XDG_DATA_HOME="$HOME/.local/share" XDG_DATA_DIRS="$share:/usr/share" \
        PATH="$root/usr/bin:$PATH" BROWSER="$scratch/browser" "$@"
}
handler=$(desktop xdg-mime query default application/x-mswinurl)
[ "$handler" = org.corvano.Corvano.OpenShortcut.desktop ] ||
    fail "xdg-mime names '$handler' for application/x-mswinurl"
desktop xdg-open "$HOME/a.url" || fail "xdg-open did not open a.url"
grep -qx "http://127.0.0.1:$port/news/1.html" "$opened" ||
    fail "the browser was not given the shortcut's address: $(cat "$opened" 2>/dev/null)"
if desktop xdg-open "$HOME/local.url" 2>"$scratch/refused"; then
    fail "a file: shortcut was opened"
fi
[ "$(wc -l <"$opened")" -eq 1 ] || fail "the browser was given a file: address"
grep -q "local.url" "$scratch/refused" || fail "the refusal does not name the file"

# A copy unpacked where its user cannot write (root unpacked it, or a read-only medium): its
# pictures come from its own img/, its settings go to the user's folders.
copy=$scratch/opt/corvano
mkdir -p "$copy/img" "$scratch/user"
cp "$root/usr/bin/corvano" "$root/usr/bin/corvano-cli" "$copy/"
cp "$root/usr/share/corvano/img/"* "$copy/img/"
chmod 755 "$scratch" "$scratch/opt"
# The user's own environment, as that user where the test runs as root.
as_user=(env -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$scratch/user")
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$scratch/user"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
else
    chmod a-w "$copy"
fi
"${as_user[@]}" "$copy/corvano-cli" --dry-run --save --url "http://127.0.0.1:$port/list-page.html" \
    --start '<ul class="news">' --end '</ul>' >/dev/null || fail "the read-only copy's run failed"
[ -s "$scratch/user/.config/corvano/db.dat" ] && [ ! -e "$copy/db.dat" ] ||
    fail "the read-only copy did not keep its settings in ~/.config/corvano"
log=$scratch/copy.log
QT_QPA_PLATFORM=offscreen CORVANO_STARTUP_REPORT=1 "${as_user[@]}" "$copy/corvano" 2>"$log" &
program=$!
for _ in $(seq 100); do
    grep -q "launcher first paint" "$log" && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
grep -q "launcher first paint" "$log" ||
    fail "the read-only copy did not show its launcher: $(cat "$log")"
chmod -R u+w "$copy"
echo "installed program: $written shortcut files, settings in ~/.config/corvano, launcher shown," \
    "shortcuts opened; a read-only copy started"
