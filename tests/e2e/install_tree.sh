#!/bin/bash
# The programs installed as a desktop user gets them: installed into a
# temporary prefix, the clock started from its launcher finds its data and
# greets the user. The Debian package is made from the same install
# (tools/package-check.sh builds and checks it).
# Usage: install_tree.sh path/to/build-dir
BUILD=$1
. "$(dirname "$0")/x11_session.sh"
PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || fail "install: $(tail -n 5 "$WORK/install.log")"

for f in bin/vespera bin/vesweb bin/vesclean lib/vespera/vespera-sound lib/vespera/blue.vss \
    lib/vespera/zihou.wav lib/vespera/update.txt lib/vespera/about.png \
    lib/vespera/vespera_en.qm lib/vespera/help16.en.html lib/vespera/update.en.txt \
    share/man/man1/vespera.1 share/man/man1/vesweb.1 share/man/man1/vesclean.1 \
    share/metainfo/org.example.vespera.metainfo.xml \
    share/applications/vespera.desktop share/applications/vesweb.desktop \
    share/mime/packages/vespera-design.xml \
    share/icons/hicolor/256x256/apps/vespera.png; do
    [ -e "$PREFIX/$f" ] || fail "not installed: $f"
done
# The data is installed once, in share/vespera, and reached from the
# programs' folder through links, relative ones, so that a tree moved as a
# whole keeps its data.
for f in "$PREFIX"/share/vespera/*; do
    name=$(basename "$f")
    [ "$(readlink "$PREFIX/lib/vespera/$name")" = "../../share/vespera/$name" ] \
        || fail "no relative link beside the programs to $name"
done
for f in "$PREFIX"/lib/vespera/*; do
    [ -e "$f" ] || fail "a link beside the programs leads nowhere: $f"
    [ -L "$f" ] || [ -x "$f" ] || fail "data beside the programs, not in share/vespera: $f"
done
if command -v desktop-file-validate >/dev/null; then
    for d in "$PREFIX"/share/applications/*.desktop; do
        desktop-file-validate "$d" || fail "invalid launcher $d"
    done
fi
# The manual pages read without a complaint from the formatter, and the
# software centre's entry is valid as AppStream checks it.
for page in vespera vesweb vesclean; do
    MANWIDTH=80 man --warnings -E UTF-8 -l "$PREFIX/share/man/man1/$page.1" >"$WORK/$page.txt" 2>"$WORK/man.err" \
        || fail "man $page: $(cat "$WORK/man.err")"
    [ ! -s "$WORK/man.err" ] || fail "man $page warns: $(cat "$WORK/man.err")"
    grep -q -- '--version' "$WORK/$page.txt" || fail "man $page does not tell --version"
done
appstreamcli validate --no-net "$PREFIX/share/metainfo/org.example.vespera.metainfo.xml" >"$WORK/appstream.log" 2>&1 \
    || fail "AppStream: $(cat "$WORK/appstream.log")"
# The commands in bin are links: the translation is found beside the program.
LANGUAGE=en "$PREFIX/bin/vesclean" --help | grep -q '^Usage: vesclean' \
    || fail "the installed vesclean does not speak English: $(LANGUAGE=en "$PREFIX/bin/vesclean" --help 2>&1)"
mv "$PREFIX" "$WORK/moved"
moved=$(LANGUAGE=en "$WORK/moved/bin/vesclean" --help 2>&1)
mv "$WORK/moved" "$PREFIX"
grep -q '^Usage: vesclean' <<<"$moved" || fail "a moved installed tree loses its data: $moved"
echo "ok: installed tree, launchers, manual pages and AppStream entry"

# Design files are known by name and by their first line once the desktop's
# MIME database takes in the installed type, as a package's trigger makes it.
MIME_XML=$PREFIX/share/mime/packages/vespera-design.xml
if command -v xmllint >/dev/null; then
    xmllint --noout "$MIME_XML" 2>"$WORK/xmllint.log" || fail "the MIME type is no XML: $(cat "$WORK/xmllint.log")"
fi
if command -v update-mime-database >/dev/null; then
    XDG_DATA_DIRS=$PREFIX/share update-mime-database "$PREFIX/share/mime" >"$WORK/mime.log" 2>&1 \
        || fail "update-mime-database: $(cat "$WORK/mime.log")"
    [ ! -s "$WORK/mime.log" ] || fail "update-mime-database warns: $(cat "$WORK/mime.log")"
    [ -f "$PREFIX/share/mime/application/x-vespera-design.xml" ] || fail "the MIME database lacks the design type"
    if command -v gio >/dev/null; then
        printf 'VESPERA-DESIGN 1\nname x\n' >"$WORK/by-content"
        printf 'by name\n' >"$WORK/by-name.vsdesign"
        mkdir -p "$WORK/no-user-data"
        for f in by-content by-name.vsdesign; do
            type=$(XDG_DATA_HOME=$WORK/no-user-data XDG_DATA_DIRS=$PREFIX/share \
                gio info -a standard::content-type "$WORK/$f" | sed -n 's/.*content-type: //p')
            [ "$type" = application/x-vespera-design ] || fail "$f is taken for $type"
        done
    fi
    echo "ok: design files are known by name and content"
fi

# The launcher's command, from another folder, with the prefix's bin on PATH.
start_x_session openbox
export XDG_DATA_HOME=$WORK/data
command=$(sed -n 's/^Exec=//p' "$PREFIX/share/applications/vespera.desktop")
(cd / && PATH=$PREFIX/bin:$PATH exec $command) >"$WORK/clock.log" 2>&1 &
PIDS+=($!)
has_clock() { [ -n "$(clock_window)" ]; }
wait_for 60 has_clock || fail "the installed clock did not show: $(cat "$WORK/clock.log")"
welcome() { xwininfo -root -tree | grep -q '"VESPERA".*315x317'; }
wait_for 30 welcome || fail "no welcome window on a first start"
grep -q "^apath=$PREFIX/lib/vespera\$" "$XDG_CONFIG_HOME/kestrel.ini" \
    || fail "the clock did not run from the installed folder: $(cat "$XDG_CONFIG_HOME/kestrel.ini")"
echo "ok: the installed clock starts from its launcher"
