#!/bin/sh
# Makes a system root for the module in the simulator and the tests:
#   make-root.sh ROOT [LOCAL_IPOD]
# ROOT gets proc/scsi/scsi (no remote iPod on the bus), proc/mounts,
# proc/modules (the four FireWire drivers loaded), the stand-in commands in
# bin/, an empty mount point rip/ and mnt/ (a link to LOCAL_IPOD if given).
set -e
root=${1:?usage: make-root.sh ROOT [LOCAL_IPOD]}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$root/proc/scsi" "$root/bin" "$root/rip"
cp "$here"/bin/* "$root/bin/"
printf 'Attached devices:\n' > "$root/proc/scsi/scsi"
printf 'rootfs / rootfs rw 0 0\n/dev/hda3 /mnt vfat rw 0 0\n' > "$root/proc/mounts"
printf 'sbp2 20000 0\nsd_mod 12000 0\nscsi_mod 60000 2 sbp2,sd_mod\ntsb43aa82 30000 0\n' > "$root/proc/modules"
: > "$root/commands.log"
if [ -n "$2" ]; then
  ln -sfn "$(cd "$2" && pwd)" "$root/mnt"
else
  mkdir -p "$root/mnt"
fi
