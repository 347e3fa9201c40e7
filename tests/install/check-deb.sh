#!/bin/sh
# Checks a built morvane_<version>_<arch>.deb without touching the machine's
# own packages: its fields and dependencies, its files, an install into a
# throw-away root and a removal that leaves nothing behind, and lintian.
#   check-deb.sh PACKAGE.deb VERSION
set -eu
deb=$1
version=$2
arch=$(dpkg --print-architecture)
fail() { echo "check-deb: $*" >&2; exit 1; }

test "$(basename "$deb")" = "morvane_${version}_$arch.deb" || fail "unexpected name $deb"
field() { dpkg-deb -f "$deb" "$1"; }
test "$(field Package)" = morvane || fail "package name $(field Package)"
test "$(field Version)" = "$version" || fail "package version $(field Version), not $version"
test "$(field Architecture)" = "$arch" || fail "architecture $(field Architecture)"
depends=$(field Depends)
# The chart fonts as debian/control names them (its fonts- lines).
fonts=$(sed -n 's/^ *\(fonts-[^,]*\),*$/\1/p' "$(dirname "$0")/../../debian/control")
test -n "$fonts" || fail "no fonts in debian/control"
for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libzip4 \
              libjpeg62-turbo libxxhash0 libstdc++6 qt6-qpa-plugins $fonts; do
    case ", $depends," in
    *", $needed"[\ ,]*) ;;
    *) fail "Depends lacks $needed: $depends" ;;
    esac
done
# Maintainer scripts would run on the user's machine; none are needed.
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq 'inst$|rm$' && fail "maintainer scripts in the package"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
files=$root/files
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | sort > "$files"
for f in /usr/bin/morvane /usr/bin/morvane-report /usr/libexec/morvane/morvane-report-charts \
         /usr/share/applications/morvane.desktop \
         /usr/share/metainfo/io.github.morvane.Morvane.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/morvane.svg \
         /usr/share/man/man1/morvane.1.gz /usr/share/man/man1/morvane-report.1.gz \
         /usr/share/doc/morvane/README.md /usr/share/doc/morvane/copyright \
         /usr/share/doc/morvane/changelog.gz; do
    grep -qxF "$f" "$files" || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
    grep -qxF "/usr/share/icons/hicolor/${size}x$size/apps/morvane.png" "$files" ||
        fail "missing the $size-pixel icon"
done
grep -v -e '^/usr/' -e '^/usr$' -e '^$' "$files" && fail "files outside /usr"
grep -E '\.(a|h|cmake)$|/tests?/' "$files" && fail "build or test files in the package"

# Into an empty root with a database of its own; dependencies are the
# machine's business, not this root's.
mkdir -p "$root/fs/var/lib/dpkg/info" "$root/fs/var/lib/dpkg/updates"
: > "$root/fs/var/lib/dpkg/status"
: > "$root/fs/var/lib/dpkg/available"
force=--force-depends
[ "$(id -u)" -eq 0 ] || force="$force --force-not-root"
# shellcheck disable=SC2086
dpkg --root="$root/fs" $force --log=/dev/null -i "$deb" >"$root/dpkg.log" 2>&1 ||
    { cat "$root/dpkg.log"; fail "dpkg could not install it"; }
share=$root/fs/usr/share
desktop-file-validate "$share/applications/morvane.desktop"
grep -qx 'Exec=morvane' "$share/applications/morvane.desktop" || fail "menu entry starts no morvane"
appstreamcli validate --no-net "$share/metainfo/io.github.morvane.Morvane.metainfo.xml" >/dev/null
grep -q "<release version=\"$version\"" "$share/metainfo/io.github.morvane.Morvane.metainfo.xml" ||
    fail "AppStream release is not $version"
for program in morvane morvane-report; do
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY HOME="$root/home" "$root/fs/usr/bin/$program" --version)
    test "$shown" = "$program $version" || fail "$program --version: $shown"
    zcat "$share/man/man1/$program.1.gz" | head -n1 | grep -qF "\"Morvane $version\"" ||
        fail "manual page of $program does not show $version"
done
# The help window opens the README by this name.
head -n1 "$share/doc/morvane/README.md" | grep -q '^# Morvane' || fail "README.md is not readable text"

# Purging leaves only dpkg's own database.
# shellcheck disable=SC2086
dpkg --root="$root/fs" $force --log=/dev/null -P morvane >"$root/dpkg.log" 2>&1 ||
    { cat "$root/dpkg.log"; fail "dpkg could not remove it"; }
left=$(cd "$root/fs" && find . -path ./var/lib/dpkg -prune -o -print | grep -vx -e . -e ./var -e ./var/lib || true)
test -z "$left" || fail "left after removal: $left"

# Lintian: no error; what it warns of is printed for the log.
status=0
lintian --fail-on error --info "$deb" >"$root/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$root/lintian.log" || true
test "$status" -eq 0 || fail "lintian found errors"
echo "check-deb: $(basename "$deb") is sound"
