#!/usr/bin/env bash
# Installs what is missing, builds the game and its default data, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRINDLE_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

game="$build/game/brindlemoor"
if [ ! -x "$game" ]; then
  echo "Built the engine and the default data ($build/game/data); the game program itself is not built yet, so there is nothing to start."
  exit 0
fi
exec "$game" "$@"
