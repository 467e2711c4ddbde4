#!/usr/bin/env bash
# Builds the JavaScript package in one command: the library and its
# bindings compiled to WebAssembly by Emscripten (emcmake), the module, its
# .wasm and the single-file variant copied into web/dist/, and the package
# packed as a tarball into the build folder.
#
# usage: web/build.sh [BUILD_DIR]       (default: build-wasm beside web/)
#   JOBS=N        parallel compile jobs (default 2)
#   OPTIMIZE=-Os  the smaller module: -Os throughout (default -O2 to link,
#                 the library compiled -O3: about twice as fast, a tenth
#                 larger once compressed)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build-wasm}
# Absolute, for the steps below that run in web/.
build=$(mkdir -p "$build" && cd "$build" && pwd)
if ! command -v emcmake >/dev/null; then
  echo "build.sh: no emcmake: install Emscripten (apt-get install emscripten)" >&2
  exit 2
fi
# Debian's Emscripten runs its JavaScript tools with the node on PATH, and a
# node that is not Debian's own does not look in /usr/share/nodejs, where
# their parser (acorn) is.
if [ -d /usr/share/nodejs ]; then
  export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
fi
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
optimize=${OPTIMIZE:--O2}
case "$optimize" in
  -Os | -Oz) type=MinSizeRel ;;
  *) type=Release ;;
esac
emcmake cmake -S "$root" -B "$build" "${generator[@]}" -DMORLUNE_TESTS=OFF -DCMAKE_BUILD_TYPE=$type \
  -DMORLUNE_WASM_OPTIMIZE="$optimize"
cmake --build "$build" -j "${JOBS:-2}" --target morlune_wasm morlune_wasm_single
mkdir -p "$here/dist"
for file in morlune_wasm.mjs morlune_wasm.wasm morlune_wasm_single.mjs; do
  cp "$build/web/$file" "$here/dist/$file"
done
tarball=$(cd "$here" && npm pack --silent --pack-destination "$build")
echo "build.sh: $here/dist/ and $build/$tarball"
