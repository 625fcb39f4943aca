#!/usr/bin/env bash
# Makes two demo iPods (a local one, mounted at /mnt, and a remote one that
# the simulator's mount command links to /rip) and a system root in a
# temporary folder, then starts the simulator on them.
#   skerry/shell/run-sim.sh [BUILD_DIR] [skerry-sim options, e.g. --screenshots DIR]
# BUILD_DIR (default: build) is configured and the needed targets built
# when they are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=${1:-$top/build}
[ $# -gt 0 ] && shift
case $build in /*) ;; *) build=$PWD/$build ;; esac

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DPARTS="skerry/ipod;skerry/shell;skerry/module"
fi
cmake --build "$build" -j 2 --target skerry-sim skerry ipod-demo-device

work=$(mktemp -d /tmp/skerry-sim-XXXXXX)
demo=$(find "$build/skerry/ipod" -name ipod-demo-device -type f -perm -u+x | head -n 1)
"$demo" "$work/local"
"$demo" "$work/remote"
"$here/system/make-root.sh" "$work/root" "$work/local"
echo "skerry-sim: system root $work/root, remote iPod $work/remote"
exec "$build/skerry/shell/sim/skerry-sim" --root "$work/root" --remote "$work/remote" \
  --module "$build/skerry/module/skerry.so" "$@"
