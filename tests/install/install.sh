#!/usr/bin/env bash
# Installed like a desktop program. `cmake --install` into a scratch DESTDIR
# must put exactly the expected files in their FHS places, with a desktop
# entry and AppStream metadata that pass their validators. The installed
# viewer, started by the desktop entry's command line on a CD image (as a
# file manager does), must show the image's ads and open its help from the
# share folder. The Debian package must hold the same files below /usr and
# name the libraries the binaries need.
# Usage: install.sh CMAKE CPACK BUILD make-demo-medium OUT
set -uo pipefail
cmake="$1"
cpack="$2"
build="$3"
maker="$4"
out="$5"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$here/../e2e/lib.sh"
need_tools desktop-file-validate appstreamcli xorriso dpkg-deb dpkg-shlibdeps file xclip \
  Xvfb xdotool import compare convert identify
e2e_init

SIDES=(16 22 24 32 48 64 128 256)
# The files an install below prefix $1 must hold, and no others.
expected_files() {
  local side
  printf '%s\n' "$1/bin/KestrunAds" "$1/bin/kestrun-rtf2text" \
    "$1/share/kestrun-ads/KestrunAds.HLP" \
    "$1/share/applications/kestrun-ads.desktop" \
    "$1/share/metainfo/kestrun-ads.metainfo.xml" \
    "$1/share/icons/hicolor/scalable/apps/kestrun-ads.svg" \
    "$1/share/man/man1/KestrunAds.1.gz" \
    "$1/share/doc/kestrun-ads/copyright" "$1/share/doc/kestrun-ads/changelog.gz"
  for side in "${SIDES[@]}"; do
    echo "$1/share/icons/hicolor/${side}x${side}/apps/kestrun-ads.png"
  done
}

# --- cmake --install
step "install into a scratch DESTDIR"
root="$work/root"
prefix="$root/usr/local"
DESTDIR="$root" "$cmake" --install "$build" --prefix /usr/local >"$work/install.log" 2>&1 ||
  die "cmake --install failed: $(cat "$work/install.log")"
diff <(expected_files "$prefix" | sort) <(find "$root" -type f | sort) >"$work/layout.diff" ||
  fail "the installed files differ from the expected ones (< missing, > unexpected): $(cat "$work/layout.diff")"
for f in KestrunAds kestrun-rtf2text; do
  [ -x "$prefix/bin/$f" ] || fail "bin/$f is not executable"
done
for side in "${SIDES[@]}"; do
  png="$prefix/share/icons/hicolor/${side}x${side}/apps/kestrun-ads.png"
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${side}x${side}" ] ||
    fail "the ${side}x${side} icon is not a ${side}x${side} picture"
done
zgrep -q KESTRUN_DRIVES "$prefix/share/man/man1/KestrunAds.1.gz" ||
  fail "the manual page does not describe KESTRUN_DRIVES"

step "validators"
desktop="$prefix/share/applications/kestrun-ads.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/kestrun-ads.metainfo.xml" ||
  fail "appstreamcli refuses the metainfo file"

step "rtf2text"
medium="$work/medium"
XDG_RUNTIME_DIR="$work/runtime" "$maker" "$medium" >/dev/null || die "the demo medium could not be written"
"$prefix/bin/kestrun-rtf2text" "$medium/RichText/notice.rtf" | grep -q '[[:alpha:]]' ||
  fail "kestrun-rtf2text printed no text of the notice"

# --- The installed viewer, as the desktop starts it on a file.
step "open a CD image through the desktop entry"
iso="$work/ads.iso"
xorriso -as mkisofs -quiet -R -o "$iso" "$medium" 2>"$work/xorriso.log" ||
  die "xorriso failed: $(cat "$work/xorriso.log")"
read -ra command <<<"$(sed -n 's/^Exec=//p' "$desktop")"
[ "${command[*]}" = "KestrunAds %f" ] || fail "the desktop entry runs '${command[*]}'"
command=("${command[@]/\%f/$iso}")
start_xvfb "$work/xvfb.log" || die "Xvfb did not start"
PATH="$prefix/bin:$PATH" KESTRUN_DRIVES="" start_viewer "${command[@]}"
main_window
[ "$(readlink "/proc/$viewer/exe")" = "$prefix/bin/KestrunAds" ] ||
  fail "the viewer started is $(readlink "/proc/$viewer/exe"), not the installed one"
[ -z "$(windows_named "$TITLE")" ] || fail "a message box (the CD-ROM prompt?) is open at start"
expect_year_1964 "$medium"

step "help from the share folder"
before="$(windows_named "")"
click_menu_entry 2 3 || fail "the Help menu could not be opened"
xdotool key Down Return
if help="$(wait_new_window "Kestrun Ads Help" "$before")"; then
  focus_window "$help"
  xdotool key ctrl+a
  # The text the window shows, copied to the clipboard: on a busy machine the
  # copy may come late, so it is asked for again until the clipboard has it.
  shown=""
  for _ in $(seq 20); do
    xdotool key ctrl+c
    sleep 0.25
    shown="$(xclip -o -selection clipboard 2>/dev/null)"
    grep -q "Kestrun Ads Help: Contents" <<<"$shown" && break
  done
  shot help
  grep -q "Kestrun Ads Help: Contents" <<<"$shown" ||
    fail "the help window does not show the installed help file's contents"
else
  fail "Help > Contents opened no help window"
fi

# --- The Debian package
step "Debian package"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  die "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/deb/kestrun-ads_*.deb)
deb="${debs[0]}"
[ -f "$deb" ] || die "cpack made no kestrun-ads_*.deb: $(cat "$work/cpack.log")"
cp "$deb" "$out/"
dpkg-deb -I "$deb" >"$out/package-info.txt" || fail "dpkg-deb cannot read $deb"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
needs="$(awk -v RS='[,|]' '{ print $1 }' <<<"$depends")"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
  libcups2 libarchive13; do
  grep -qxF "$lib" <<<"$needs" || fail "the package does not depend on $lib"
done
diff <(expected_files ./usr | sort) \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort) >"$work/package.diff" ||
  fail "the package's files differ from the expected ones (< missing, > unexpected): $(cat "$work/package.diff")"

e2e_finish
