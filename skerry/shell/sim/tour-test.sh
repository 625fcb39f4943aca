#!/bin/sh
# Smoke test of the simulator: runs its screenshot tour (attach, mount,
# eject) offscreen on fresh empty iPod folders.
#   tour-test.sh SKERRY_SIM MODULE
set -e
sim=${1:?usage: tour-test.sh SKERRY_SIM MODULE}
module=${2:?usage: tour-test.sh SKERRY_SIM MODULE}
work=$(mktemp -d /tmp/skerry-sim-tour-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/local" "$work/remote"
"$(dirname "$0")/../system/make-root.sh" "$work/root" "$work/local"
QT_QPA_PLATFORM=offscreen "$sim" --root "$work/root" --remote "$work/remote" --module "$module" \
  --screenshots "$work/shots"
for shot in 1-detached 2-attached 3-mounted 3-mounted-info 4-eject-question 5-ejected; do
  test -s "$work/shots/skerry-sim-$shot.png"
done
