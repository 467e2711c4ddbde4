#!/usr/bin/env bash
# Builds the workbench as one HTML file that opens from the disk, the
# WebAssembly module inside it; the module itself is built first where
# web/dist/ lacks it (web/build.sh, Emscripten).
#
# usage: web/page/build.sh [OUTPUT.html]   (default web/page/dist/morlune-workbench.html)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -f "$here/../dist/morlune_wasm_single.mjs" ]; then
  "$here/../build.sh"
fi
node "$here/build.mjs" "$@"
