#!/usr/bin/env bash
# Builds the browser page (the core as WebAssembly, with Debian's emscripten) and serves it on
# http://localhost:8080 (PORT=... for another port) with the headers cross-origin isolation needs.
#   bash scripts/web.sh          builds and serves until Ctrl+C
#   bash scripts/web.sh build    only builds build-wasm/site
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/wasm.sh
cmake --build build-wasm -j2 --target site
[ "${1:-}" = build ] && exit 0
exec python3 web/serve.py build-wasm/site "${PORT:-8080}"
