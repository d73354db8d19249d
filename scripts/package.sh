#!/usr/bin/env bash
# Builds the Debian package the way Debian builds its own (debhelper: dh with CMake, the
# distribution's compiler flags, dependencies computed from the programs' libraries) and writes
# dist/zuvo-widgets_<version>_<arch>.deb. Installs what is missing first, like the other scripts.
# dpkg-buildpackage writes its results beside the source folder, so it runs on a copy of the source
# in build-package/; the copy keeps its path from run to run, which lets ccache (when
# CMAKE_CXX_COMPILER_LAUNCHER=ccache is exported) find the objects of an earlier build.
#   scripts/package.sh [--work DIR] [--dist DIR]     (defaults: build-package, dist)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build-package
dist=$root/dist
while [ $# -gt 0 ]; do
  case $1 in
    --work) work=$(realpath -m "$2"); shift 2 ;;
    --dist) dist=$(realpath -m "$2"); shift 2 ;;
    *) echo "usage: scripts/package.sh [--work DIR] [--dist DIR]" >&2; exit 2 ;;
  esac
done

bash scripts/install-deps.sh --package

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -q DEB_HOST_ARCH)
deb=zuvo-widgets_${version}_${arch}.deb
copy=$work/zuvo-widgets-$version
rm -rf "$work"
mkdir -p "$copy"
# The source as it is on disk, local changes included, without builds and generated files.
tar -C "$root" --exclude=./.git --exclude='./build' --exclude='./build-*' --exclude=./dist --exclude=./out \
  --exclude=./fuzz/corpus-run --exclude='__pycache__' -cf - . | tar -C "$copy" -xf -

echo "building $deb (log: $work/build.log)"
if ! (cd "$copy" && DEB_BUILD_OPTIONS="noautodbgsym parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
        dpkg-buildpackage -b -us -uc) > "$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log" >&2
  echo "error: package: dpkg-buildpackage failed; the whole log is $work/build.log" >&2
  exit 1
fi

mkdir -p "$dist"
cp "$work/$deb" "$dist/.$deb.part"
mv "$dist/.$deb.part" "$dist/$deb"
rm -rf "$copy"
echo "package: $(realpath --relative-base="$root" "$dist/$deb")"
