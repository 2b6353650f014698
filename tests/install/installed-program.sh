#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and uses the installed programs from there, as a
# user with an empty home folder would: corvano-cli keeps its settings in ~/.config/corvano,
# and corvano finds its pictures under the prefix's share folder.
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
    share/metainfo/org.corvano.Corvano.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.corvano.Corvano.svg \
    share/icons/hicolor/48x48/apps/org.corvano.Corvano.png \
    share/man/man1/corvano-cli.1.gz share/man/man1/corvano.1.gz \
    share/bash-completion/completions/corvano-cli; do
    [ -e "$root/usr/$file" ] || fail "cmake --install did not put $file"
done
desktop-file-validate "$share/applications/org.corvano.Corvano.desktop"
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
echo "installed program: $written shortcut files, settings in ~/.config/corvano, launcher shown"
