#!/usr/bin/env bash
# Builds an optimised engine and its default data and runs the frame-cost benchmark (tools/bench): the
# main-menu scene drawn by the engine's own frame loop, paced to 60 frames per second, 3 runs of 10 s.
# It draws in an Xvfb window (800 x 600 in a 1024 x 768 screen) when Xvfb is installed, else with SDL's
# offscreen driver; sound goes to SDL's dummy driver. Arguments go to the benchmark (--runs N, --seconds S,
# --scene menu, --scene game: the program's start with v_vsync 1 and 0, see tools/bench). --all (or
# --scene level) prints instead the game's whole table (tools/bench/LevelBench.cpp): start to the first
# frame and to the menu, level load, main menu and idle level paced and unpaced, the board logic's share,
# peak memory, each against its target; it takes --runs N and --seconds S too. Set LP_NUM_THREADS to try
# another thread count of Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build-bench
launcher=""
if command -v ccache >/dev/null 2>&1; then launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"; fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_SANITIZE=OFF -DBRINDLE_TESTS=OFF $launcher >/dev/null
cmake --build "$build" --target bench levelbench brindlemoor gamedata -j "$(nproc)"

export SDL_AUDIODRIVER=dummy BRINDLE_FORCE_FOCUS=1
bench=("$build/tools/bench/bench" "$build/game" "$@")
# --all or --scene level: the game's table, measured by the level benchmark on the real game object.
if [ "${1:-}" = "--all" ]; then
  bench=("$build/tools/bench/levelbench" "$build/game" "${@:2}")
elif [ "${1:-}" = "--scene" ] && [ "${2:-}" = "level" ]; then
  bench=("$build/tools/bench/levelbench" "$build/game" "${@:3}")
fi
if command -v xvfb-run >/dev/null 2>&1; then
  SDL_VIDEODRIVER=x11 exec xvfb-run -a -s "-screen 0 1024x768x24" "${bench[@]}"
fi
SDL_VIDEODRIVER=offscreen exec "${bench[@]}"
