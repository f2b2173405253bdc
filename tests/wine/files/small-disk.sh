#!/usr/bin/env bash
# A small tmpfs for the failed-save test: "small-disk.sh mount DIR" mounts
# 256 KB at DIR (the test finds it through MERVA_SMALL_DISK and Z:),
# "small-disk.sh unmount DIR" takes it away. A refused mount is said on a
# line of its own; the test then skips.
set -u
action=${1:?usage: small-disk.sh mount|unmount DIR}
dir=${2:?usage: small-disk.sh mount|unmount DIR}
case $action in
  mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" && umount "$dir" 2>/dev/null
    if ! mount -t tmpfs -o size=256k,mode=0777 merva-small-disk "$dir" 2>/dev/null; then
      echo "small file system: mount refused, the failed-save test skips"
      exit 1
    fi
    ;;
  unmount)
    mountpoint -q "$dir" && umount "$dir"
    rmdir "$dir" 2>/dev/null
    ;;
esac
exit 0
