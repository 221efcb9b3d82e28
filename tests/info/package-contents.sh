#!/bin/sh
# Builds the Debian package with CPack into a temporary folder of its own and checks what it
# holds, that the packaged pagora-info runs from where the package puts it, and that Debian's
# and the desktops' own checkers find nothing to report: lintian, desktop-file-validate and
# appstreamcli, each failing on any error or warning.
#   package-contents.sh CPACK CPACK-CONFIG PATH-UNDER-USR...
# Exits 77 (skipped) without dpkg-deb or without a CPack configuration.
set -eu
cpack=$1
config=$2
shift 2

if ! command -v dpkg-deb >/dev/null 2>&1; then
    echo "dpkg-deb missing: skipped"
    exit 77
fi
if [ ! -f "$config" ]; then
    echo "no CPack configuration ($config): skipped"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! "$cpack" --config "$config" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
deb=$(ls "$work"/*.deb)
echo "package: $deb"
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/files"

status=0
viewer=no
for path in "$@"; do
    if grep -qx "./usr/$path" "$work/files"; then
        echo "holds /usr/$path"
    else
        echo "MISSING /usr/$path"
        status=1
    fi
    [ "$path" = bin/avr-pagora ] && viewer=yes
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
if [ "$viewer" = yes ] && ! echo "$depends" | grep -q libqt6widgets6; then
    echo "MISSING the Qt libraries among the dependencies"
    status=1
fi

dpkg-deb -x "$deb" "$work/root"
desktop="$work/root/usr/share/applications/avr-pagora.desktop"
for line in 'Type=Application' 'Exec=avr-pagora' 'Icon=avr-pagora'; do
    if ! grep -qx "$line" "$desktop"; then
        echo "MISSING '$line' in the desktop entry"
        status=1
    fi
done

summary=$("$work/root/usr/bin/pagora-info" --controller ATmega328p \
    "$work/root/usr/share/avr-pagora/examples/tables-atmega328p.hex") || {
    echo "the packaged pagora-info failed"
    status=1
}
if ! echo "$summary" | grep -qx 'Fits: yes'; then
    echo "the packaged pagora-info said: $summary"
    status=1
fi
# lintian's warnings count as failures too; an override would need its reason beside it.
if ! lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1; then
    echo "lintian reports:"
    grep -v 'running with root privileges' "$work/lintian.log"
    status=1
fi
if ! desktop-file-validate "$desktop"; then
    echo "desktop-file-validate reports the lines above"
    status=1
fi
for metainfo in "$work"/root/usr/share/metainfo/*.metainfo.xml; do
    if ! appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
        grep -Eq '^[EW]:' "$work/appstream.log"; then
        cat "$work/appstream.log"
        status=1
    fi
done
exit $status
