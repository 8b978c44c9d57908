#!/usr/bin/env bash
# Builds a release into build/release: Vantrel-<version>.zip, the program
# folder as it ships (unpacks to "Vantrel <major>"), and
# Vantrel-<version>-setup.exe, the Windows installer (silent with /S).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh

# The version as the program shows it (3.07), from the build's only source.
major=$(sed -n 's/^set(VANTREL_VERSION_MAJOR \([0-9]*\))$/\1/p' CMakeLists.txt)
minor=$(sed -n 's/^set(VANTREL_VERSION_MINOR \([0-9]*\))$/\1/p' CMakeLists.txt)
[ -n "$major" ] && [ -n "$minor" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }
version=$(printf '%d.%02d' "$major" "$minor")

dist=build/win/dist
out=build/release
[ -f "$dist/Vantrel.exe" ] || { echo "release: $dist/Vantrel.exe is missing" >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out/stage"
cp -r "$dist" "$out/stage/Vantrel $major"
(cd "$out/stage" && zip -q -r -X "../Vantrel-$version.zip" "Vantrel $major")
rm -rf "$out/stage"

makensis -V2 -DVERSION="$version" -DMAJOR="$major" -DFILEVERSION="$major.$minor.0.0" \
  -DDIST="$(pwd)/$dist" -DOUTFILE="$(pwd)/$out/Vantrel-$version-setup.exe" installer/Vantrel.nsi

echo "release: $out/Vantrel-$version.zip"
echo "release: $out/Vantrel-$version-setup.exe"
