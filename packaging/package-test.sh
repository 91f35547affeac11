#!/usr/bin/env bash
# Makes the Debian package from an existing build tree, unpacks it into a scratch root and
# checks it as an installation: the files are there, the desktop and AppStream files
# validate where the tools are installed, and the unpacked programs read the installed data
# set (found relative to themselves) while writing only into the user's folder.
#   package-test.sh BUILD_DIR CPACK APP_ID gui|nogui
set -euo pipefail
build="$1" cpack="$2" app_id="$3" flavour="$4"

work="$(mktemp -d "${TMPDIR:-/tmp}/tarelink-package.XXXXXX")"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack could not make the package"; }
deb="$(ls "$work"/out/*.deb)"
root="$work/root"
dpkg-deb -x "$deb" "$root"

expected=(
  usr/bin/tarelink-cli usr/bin/indicator-sim
  usr/share/tarelink/Configurations/rev.ini usr/share/tarelink/Configurations/mod.ini
  usr/share/tarelink/Configurations/default.tpl usr/share/tarelink/Resources/itarelink256.bmp
  usr/share/tarelink/Resources/Help/index.html
  usr/share/man/man1/tarelink-cli.1 usr/share/man/man1/indicator-sim.1
)
if [ "$flavour" = gui ]; then
  expected+=(
    usr/bin/tarelink usr/share/man/man1/tarelink.1
    "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
    "usr/share/mime/packages/$app_id.xml" "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    "usr/share/icons/hicolor/48x48/apps/$app_id.png" "usr/share/icons/hicolor/256x256/apps/$app_id.png"
  )
fi
for f in "${expected[@]}"; do
  [ -s "$root/$f" ] || fail "the package lacks $f"
done
grep -q '^\.SH NAME' "$root/usr/share/man/man1/tarelink-cli.1" || fail "tarelink-cli.1 is no man page"
grep -q 'trace' "$root/usr/share/man/man1/tarelink-cli.1" || fail "tarelink-cli.1 does not tell the options"

depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6core6 libqt6serialport6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
if [ "$flavour" = gui ]; then
  for lib in libqt6widgets6 qt6-qpa-plugins; do
    [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
  done
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop file"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/as.log" 2>&1 \
      || { cat "$work/as.log" >&2; fail "metainfo"; }
  fi
  QT_QPA_PLATFORM=offscreen "$root/usr/bin/tarelink" --version | grep -q '^tarelink ' || fail "tarelink --version"
fi

# The installation as a user meets it: read-only, no data folder of their own yet.
chmod -R a-w "$root"
touch "$work/before"
sleep 1
home="$work/home"
mkdir -p "$home"
clean_env=(env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8)
# env replaces itself with the simulator, so $! is the simulator's own id. Up to 30 s for
# its first line: a machine busy building may be slow to start it.
"${clean_env[@]}" "$root/usr/bin/indicator-sim" --model 615 --baud 0 \
  --template "$root/usr/share/tarelink/Configurations/615.tpl" >"$work/sim.out" 2>&1 &
sim_pid=$!
pty=""
for _ in $(seq 300); do
  pty="$(sed -n 's/^PTY: //p' "$work/sim.out")"
  [ -n "$pty" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$pty" ] || { cat "$work/sim.out" >&2; fail "the installed simulator did not start"; }

"${clean_env[@]}" "$root/usr/bin/tarelink-cli" read --port "$pty" -o "$home/read.csc" --trace "$home/trace.txt" \
  >"$work/read.out" 2>&1 || { cat "$work/read.out" >&2; fail "the installed tarelink-cli could not read"; }
grep -q '^MOD:615' "$home/read.csc" || fail "the configuration read lacks its model line"
grep -q ' TX \\nA\\r' "$home/trace.txt" || fail "the trace lacks the identification request"
[ -d "$home/.local/share/Tervolin Scale Mfg/Tarelink/Configurations" ] || fail "the user's folder was not made"
written="$(find "$root" -newer "$work/before" | head -5)"
[ -z "$written" ] || fail "written into the installed tree: $written"
echo "package OK: $(basename "$deb")"
