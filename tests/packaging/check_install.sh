#!/bin/sh
# Installs the build into a scratch root with `cmake --install` and checks the tree a desktop
# user gets. CTest passes the build's folders and names in the environment.
#
# Exit codes: 0 every check passed; 1 a check failed; 77 nothing failed but some content was
# not produced by this build (or a validator is missing), so those checks could not run.
set -u

failures=0
skips=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIP: $*"; skips=$((skips + 1)); }
pass() { echo "ok:   $*"; }

# Prints the first bytes of a file as hex, e.g. "ffd8ff".
magic() { od -An -tx1 -N"$2" "$1" 2>/dev/null | tr -d ' \n'; }
# Prints "<width>x<height>" from a PNG's header.
png_size() {
    set -- $(od -An -tu1 -j16 -N8 "$1")
    echo "$(( ($1 << 24) | ($2 << 16) | ($3 << 8) | $4 ))x$(( ($5 << 24) | ($6 << 16) | ($7 << 8) | $8 ))"
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kesto-install.XXXXXX") || exit 1
trap 'rm -rf "$scratch"' EXIT
root="$scratch/usr"

if ! "$CMAKE_COMMAND" --install "$KESTO_BUILD_DIR" --prefix "$root" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

program="$root/$KESTO_INSTALL_PROGRAM_DIR"
exe="$program/kesto"

# --- The executable and its launcher -------------------------------------------------------
if [ -f "$exe" ] && [ -x "$exe" ] && [ "$(magic "$exe" 4)" = 7f454c46 ]; then
    pass "executable $KESTO_INSTALL_PROGRAM_DIR/kesto"
else
    fail "no executable program at $KESTO_INSTALL_PROGRAM_DIR/kesto"
fi

launcher="$root/$KESTO_INSTALL_BINDIR/kesto"
if [ ! -L "$launcher" ]; then
    fail "$KESTO_INSTALL_BINDIR/kesto is not a symbolic link"
else
    case "$(readlink "$launcher")" in
        /*) fail "$KESTO_INSTALL_BINDIR/kesto points at an absolute path; it breaks under DESTDIR and in the package" ;;
        *) if [ "$(readlink -f "$launcher")" = "$(readlink -f "$exe")" ]; then
               pass "launcher $KESTO_INSTALL_BINDIR/kesto -> $(readlink "$launcher")"
           else
               fail "$KESTO_INSTALL_BINDIR/kesto resolves to $(readlink -f "$launcher"), not the program"
           fi ;;
    esac
fi

# The program looks for cards/, pic/ and tarot.dll in Qt's application folder. Started through
# a link, that folder must be the link's target folder, not the link's own.
mkdir -p "$scratch/linkdir"
ln -s "$KESTO_APPDIR_PROBE" "$scratch/linkdir/probe"
probe_dir=$("$scratch/linkdir/probe" 2>/dev/null)
if [ "$probe_dir" = "$(dirname "$(readlink -f "$KESTO_APPDIR_PROBE")")" ]; then
    pass "a program started through a link finds its own folder"
else
    fail "a program started through a link reports '$probe_dir' as its folder"
fi

# --- Content beside the executable ---------------------------------------------------------
# check_pictures <folder> <prefix> <count> <scale>...: <prefix>0<scale>.jpg ...
# <prefix><count-1><scale>.jpg for every scale given ("" for the design size, then @2x, @4x
# for screens of higher pixel density), all JPEG, and nothing else.
check_pictures() {
    folder=$1 prefix=$2 count=$3
    shift 3
    if ! ls "$KESTO_PROGRAM_DIR/$folder"/*.jpg >/dev/null 2>&1; then
        skip "the build has produced no $folder/ pictures yet"
        return
    fi
    missing="" wrong="" expected=0
    for scale in "$@"; do
        i=0
        while [ $i -lt "$count" ]; do
            name="$prefix$i$scale.jpg"
            f="$program/$folder/$name"
            if [ ! -f "$f" ]; then
                missing="$missing $name"
            elif [ "$(magic "$f" 3)" != ffd8ff ]; then
                wrong="$wrong $name"
            fi
            i=$((i + 1))
        done
        expected=$((expected + count))
    done
    found=$(find "$program/$folder" -type f 2>/dev/null | wc -l)
    [ -n "$missing" ] && fail "$folder/ lacks$missing"
    [ -n "$wrong" ] && fail "$folder/ holds files that are not JPEG pictures:$wrong"
    if [ -z "$missing$wrong" ] && [ "$found" -ne "$expected" ]; then
        fail "$folder/ holds $found files instead of $expected"
    elif [ -z "$missing$wrong" ]; then
        pass "$folder/ holds $count JPEG pictures at each of $# sizes"
    fi
}
check_pictures cards r 78 "" @2x @4x
check_pictures pic c 8 "" @2x

if [ ! -f "$KESTO_PROGRAM_DIR/tarot.dll" ]; then
    skip "the build has produced no tarot.dll yet"
elif [ ! -f "$program/tarot.dll" ]; then
    fail "tarot.dll is not installed beside the program"
elif [ "$(magic "$program/tarot.dll" 15)" != "$(printf 'SQLite format 3' | od -An -tx1 | tr -d ' \n')" ]; then
    fail "the installed tarot.dll is not an SQLite database"
else
    pass "tarot.dll"
fi

# --- Desktop entry -------------------------------------------------------------------------
desktop="$root/$KESTO_INSTALL_APPLICATIONS_DIR/$KESTO_APP_ID.desktop"
if [ ! -f "$desktop" ]; then
    fail "no desktop entry $KESTO_INSTALL_APPLICATIONS_DIR/$KESTO_APP_ID.desktop"
else
    if ! command -v desktop-file-validate >/dev/null 2>&1; then
        skip "desktop-file-validate is not installed (Debian package desktop-file-utils)"
    else
        report=$(desktop-file-validate "$desktop" 2>&1); rc=$?
        if [ $rc -ne 0 ] || [ -n "$report" ]; then
            fail "desktop-file-validate: $report"
        else
            pass "desktop entry validates"
        fi
    fi
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    if [ -x "$root/$KESTO_INSTALL_BINDIR/$exec_name" ]; then
        pass "the desktop entry starts $KESTO_INSTALL_BINDIR/$exec_name"
    else
        fail "the desktop entry's Exec=$exec_name is not a program in $KESTO_INSTALL_BINDIR"
    fi
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ "$icon_name" = "$KESTO_APP_ID" ] || fail "the desktop entry's icon is '$icon_name', not $KESTO_APP_ID"
fi

# --- Icons ---------------------------------------------------------------------------------
icons="$root/$KESTO_INSTALL_ICONS_DIR"
if ! ls "$KESTO_PROGRAM_DIR"/icons/kesto-*.png >/dev/null 2>&1; then
    skip "the build has produced no icons yet"
else
    # check_icon <theme folder> <pixels>: the icon in <folder>/apps is a PNG of that size.
    check_icon() {
        f="$icons/$1/apps/$KESTO_APP_ID.png"
        if [ ! -f "$f" ]; then
            fail "no icon is installed in $1/"
        elif [ "$(magic "$f" 8)" != 89504e470d0a1a0a ]; then
            fail "the icon installed in $1/ is not a PNG picture"
        elif [ "$(png_size "$f")" != "$2x$2" ]; then
            fail "the icon in $1/ measures $(png_size "$f"), not $2x$2"
        else
            pass "icon $1 ($2x$2 pixels)"
        fi
    }
    # Every size comes twice: for the design scale, and drawn for scale 2 in <n>x<n>@2/.
    for built in "$KESTO_PROGRAM_DIR"/icons/kesto-*.png; do
        size=${built##*/kesto-}; size=${size%.png}
        case $size in *@*) continue ;; esac
        check_icon "${size}x$size" "$size"
        check_icon "${size}x$size@2" "$((size * 2))"
    done
    if [ -f "$KESTO_PROGRAM_DIR/icons/kesto.svg" ]; then
        if [ -f "$icons/scalable/apps/$KESTO_APP_ID.svg" ]; then
            pass "scalable icon"
        else
            fail "the scalable icon is not installed"
        fi
    fi
fi

# --- AppStream metadata --------------------------------------------------------------------
metainfo="$root/$KESTO_INSTALL_METAINFO_DIR/$KESTO_APP_ID.metainfo.xml"
if [ ! -f "$metainfo" ]; then
    fail "no AppStream metadata $KESTO_INSTALL_METAINFO_DIR/$KESTO_APP_ID.metainfo.xml"
else
    if grep -o '<image[^>]*>[^<]*' "$metainfo" | sed 's/<image[^>]*>//' | grep -qv '^https://'; then
        fail "a screenshot address in the AppStream metadata is not https"
    fi
    if ! command -v appstreamcli >/dev/null 2>&1; then
        skip "appstreamcli is not installed (Debian package appstream)"
    else
        # The whole tree, so the desktop entry and the icon are checked against the metadata.
        if appstreamcli validate-tree --no-net --no-color "$scratch" >"$scratch/appstream.log" 2>&1; then
            pass "AppStream metadata validates with the installed tree"
        else
            cat "$scratch/appstream.log"
            fail "appstreamcli validate-tree"
        fi
    fi
fi

echo "$failures failed, $skips skipped"
[ $failures -gt 0 ] && exit 1
[ $skips -gt 0 ] && exit 77
exit 0
