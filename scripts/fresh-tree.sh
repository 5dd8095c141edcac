#!/usr/bin/env bash
# A fresh minimal Debian 12 machine in a folder: a tree made with debootstrap, the project cloned
# into it, and commands run there as root as on a machine of its own. Sourced by the scripts that
# try README's commands where nothing is installed by chance.
#
# Commands run in a mount namespace of their own, in which proc, sys and dev are mounted into the
# tree: the mounts end with the namespace, so nothing stays mounted on this machine whatever
# happens, and nothing can be unmounted from under it. Needs root (or sudo), debootstrap and
# Debian's package mirror.
set -euo pipefail

fresh_tree_release=bookworm
fresh_tree_mirror=${ZEMBRATI_DEBIAN_MIRROR:-http://deb.debian.org/debian}

# The scripts re-run themselves with sudo when they are not root.
fresh_tree_become_root() {
  [ "$(id -u)" -eq 0 ] && return 0
  command -v sudo > /dev/null || { echo "$(basename "$0"): needs root (debootstrap, chroot and mounts), and sudo is not here" >&2; exit 2; }
  exec sudo "$0" "$@"
}

# fresh_tree_options ARGUMENTS...: the options the scripts share, into fresh_tree_commit (--commit
# REV, default HEAD, as a full commit id) and fresh_tree_keep (--keep); --help prints the script's
# opening comment.
fresh_tree_options() {
  fresh_tree_commit=HEAD
  fresh_tree_keep=false
  while [ $# -gt 0 ]; do
    case $1 in
      --commit) fresh_tree_commit=${2:?--commit takes a revision}; shift 2 ;;
      --keep) fresh_tree_keep=true; shift ;;
      -h|--help) sed -n '2,/^set -/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
      *) echo "$(basename "$0"): unknown option $1 (see --help)" >&2; exit 2 ;;
    esac
  done
  fresh_tree_commit=$(git rev-parse --verify --quiet "$fresh_tree_commit^{commit}") ||
    { echo "$(basename "$0"): no such commit" >&2; exit 2; }
  if [ "$fresh_tree_commit" = "$(git rev-parse HEAD)" ] && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "Uncommitted changes are not tried: the tree gets commit ${fresh_tree_commit:0:12} as it is."
  fi
}

# fresh_tree_begin NAME WHAT: makes the tree build/fresh-tree/NAME (fresh_tree_dir) for trying
# WHAT ("README's main job"), with the commit cloned into it, and removes it when the script ends
# unless --keep was given. fresh_tree_verdict PASSED|FAILED then prints the stage's own line.
fresh_tree_begin() {
  fresh_tree_what=$2
  fresh_tree_work=$PWD/build/fresh-tree
  fresh_tree_dir=$fresh_tree_work/$1
  fresh_tree_started=$SECONDS
  mkdir -p "$fresh_tree_work"
  trap '$fresh_tree_keep || fresh_tree_remove "$fresh_tree_dir"' EXIT
  echo "Making a minimal Debian 12 tree with debootstrap ..."
  if ! fresh_tree_make "$fresh_tree_dir" "$fresh_tree_work/$1.debootstrap.log"; then
    fresh_tree_verdict FAILED
    exit 1
  fi
  fresh_tree_clone "$fresh_tree_dir" "$PWD" "$fresh_tree_commit"
}

fresh_tree_verdict() {
  echo "=== fresh Debian 12 tree: $fresh_tree_what $1 ($((SECONDS - fresh_tree_started)) s, commit ${fresh_tree_commit:0:12}) ==="
}

# Ends every process still running inside the tree (a daemon a test started), so that the tree
# can be removed and nothing of it keeps running on this machine.
fresh_tree_end_processes() {
  local dir
  dir=$(realpath "$1")
  local link pid
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$dir" ] || continue
    pid=${link#/proc/}
    pid=${pid%/root}
    kill -KILL "$pid" 2>/dev/null || true
  done
}

fresh_tree_remove() {
  [ -e "$1" ] || return 0
  fresh_tree_end_processes "$1"
  rm -rf --one-file-system "$1"
}

# fresh_tree_make DIR LOG: a minimal Debian 12 tree in DIR (made anew), with the package sources
# a Debian 12 machine has after installation; debootstrap's output goes to LOG.
fresh_tree_make() {
  local dir=$1 log=$2
  fresh_tree_remove "$dir"
  mkdir -p "$(dirname "$dir")"
  # debootstrap mounts proc and sys into the tree while it works: in a namespace of its own those
  # mounts end with it, even when it is stopped half way.
  if ! unshare --mount --propagation private -- \
      debootstrap --variant=minbase "$fresh_tree_release" "$dir" "$fresh_tree_mirror" > "$log" 2>&1; then
    echo "debootstrap could not make a Debian 12 tree from $fresh_tree_mirror; its last words ($log):" >&2
    tail -n 5 "$log" >&2
    return 1
  fi
  cat > "$dir/etc/apt/sources.list" <<SOURCES
deb $fresh_tree_mirror $fresh_tree_release main
deb $fresh_tree_mirror $fresh_tree_release-updates main
deb http://deb.debian.org/debian-security $fresh_tree_release-security main
SOURCES
  # What a fresh machine has not done yet: no package lists, no cached packages.
  rm -rf "$dir"/var/lib/apt/lists/* "$dir"/var/cache/apt/archives/*.deb
}

# fresh_tree_clone DIR REPOSITORY COMMIT: the project at COMMIT in /root/zembrati of the tree, as a
# user clones it.
fresh_tree_clone() {
  local dir=$1 repository=$2 commit=$3
  git clone --quiet --no-local --no-checkout "$repository" "$dir/root/zembrati"
  git -C "$dir/root/zembrati" checkout --quiet --detach "$commit"
}

# fresh_tree_run DIR COMMAND...: runs COMMAND as root in the tree, with the environment of a new
# login (HOME, PATH and TERM, nothing of this machine's), this machine's name server, and its
# standard input closed.
fresh_tree_run() {
  local dir=$1
  shift
  cp /etc/resolv.conf "$dir/etc/resolv.conf"
  unshare --mount --propagation private -- /bin/bash -c '
    set -e
    tree=$1
    shift
    mount -t proc proc "$tree/proc"
    mount -t sysfs sysfs "$tree/sys"
    mount --rbind /dev "$tree/dev"
    exec chroot "$tree" /usr/bin/env -i HOME=/root TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"' fresh-tree "$dir" "$@" < /dev/null
}
