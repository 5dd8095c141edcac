#!/usr/bin/env bash
# Fresh minimal Debian machines in folders: trees made with debootstrap (Debian 12 "bookworm" or
# 13 "trixie"), the project cloned into them, and commands run there as root as on a machine of
# their own. Sourced by the scripts that try README's commands and the Debian package where
# nothing is installed by chance.
#
# A tree is made once and kept in a cache outside the clone (ZEMBRATI_TREE_CACHE, by default
# /var/tmp/zembrati-trees): a minimal tree per release, and trees with the packages of some of
# scripts/install-packages.sh's groups installed. A kept tree is used again while its release,
# mirror and package list are the ones asked for and it is less than a week old; otherwise it is
# made anew. A script never changes a kept tree: it works in an overlay of its own on top of one,
# mounted in the script's own mount namespace, so the overlay ends with the script whatever
# happens, and is removed with what was written into it.
#
# Commands run in a mount namespace of their own, in which proc, sys and dev are mounted into the
# tree: those mounts end with the namespace, so nothing stays mounted on this machine. Needs root
# (or sudo), debootstrap, overlayfs and Debian's package mirror.
set -euo pipefail

fresh_tree_mirror=${ZEMBRATI_DEBIAN_MIRROR:-http://deb.debian.org/debian}
fresh_tree_cache=${ZEMBRATI_TREE_CACHE:-/var/tmp/zembrati-trees}
fresh_tree_max_age_days=7
fresh_tree_layers=()

# "Debian 12" for bookworm, "Debian 13" for trixie.
fresh_tree_release_name() {
  case $1 in
    bookworm) echo "Debian 12" ;;
    trixie) echo "Debian 13" ;;
    *) echo "Debian $1" ;;
  esac
}

# The scripts re-run themselves with sudo when they are not root, and then in a mount namespace
# of their own, where the overlays they mount end with them.
fresh_tree_become_root() {
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo > /dev/null || { echo "$(basename "$0"): needs root (debootstrap, chroot and mounts), and sudo is not here" >&2; exit 2; }
    exec sudo "$0" "$@"
  fi
  if [ -z "${FRESH_TREE_OWN_NAMESPACE:-}" ]; then
    FRESH_TREE_OWN_NAMESPACE=1 exec unshare --mount --propagation private -- "$0" "$@"
  fi
}

# fresh_tree_options ARGUMENTS...: the options the scripts share, into fresh_tree_commit (--commit
# REV, default HEAD, as a full commit id) and fresh_tree_keep (--keep); --help prints the script's
# opening comment. Options a script has of its own are left in fresh_tree_rest.
fresh_tree_options() {
  fresh_tree_commit=HEAD
  fresh_tree_keep=false
  fresh_tree_rest=()
  while [ $# -gt 0 ]; do
    case $1 in
      --commit) fresh_tree_commit=${2:?--commit takes a revision}; shift 2 ;;
      --keep) fresh_tree_keep=true; shift ;;
      -h|--help) sed -n '2,/^set -/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
      --*=*) fresh_tree_rest+=("$1"); shift ;;
      *) echo "$(basename "$0"): unknown option $1 (see --help)" >&2; exit 2 ;;
    esac
  done
  fresh_tree_commit=$(git rev-parse --verify --quiet "$fresh_tree_commit^{commit}") ||
    { echo "$(basename "$0"): no such commit" >&2; exit 2; }
  if [ "$fresh_tree_commit" = "$(git rev-parse HEAD)" ] && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "Uncommitted changes are not tried: the tree gets commit ${fresh_tree_commit:0:12} as it is."
  fi
}

# fresh_tree_begin NAME WHAT RELEASE [GROUP...]: a fresh tree of RELEASE with the groups' packages
# in build/fresh-tree/NAME (fresh_tree_dir) for trying WHAT ("README's main job"), with the
# commit cloned into /root/zembrati. fresh_tree_verdict PASSED|FAILED then prints the stage's line.
fresh_tree_begin() {
  fresh_tree_what=$2
  fresh_tree_release=$3
  fresh_tree_work=$PWD/build/fresh-tree
  fresh_tree_started=$SECONDS
  local base
  if ! base=$(fresh_tree_base "${@:3}"); then
    fresh_tree_verdict FAILED
    exit 1
  fi
  fresh_tree_layer "$base" "$1"
  fresh_tree_dir=$fresh_tree_layered
  fresh_tree_clone "$fresh_tree_dir" "$PWD" "$fresh_tree_commit"
}

fresh_tree_verdict() {
  echo "=== fresh $(fresh_tree_release_name "$fresh_tree_release") tree: $fresh_tree_what $1 ($((SECONDS - fresh_tree_started)) s, commit ${fresh_tree_commit:0:12}) ==="
}

# fresh_tree_base RELEASE [GROUP...]: prints the kept tree of RELEASE with the packages of the
# groups installed (none: the minimal tree), made first when there is none to use. What it does
# goes to standard error.
fresh_tree_base() {
  local release=$1
  shift
  local packages key name
  packages=$(ZEMBRATI_DEBIAN_RELEASE=$release bash -c 'source scripts/install-packages.sh
    [ $# -eq 0 ] || { packages_of_groups "$@"; echo "with recommends:"; packages_of_groups --with-recommends "$@"; }' \
    fresh-tree "$@") || return 1
  key="$release $fresh_tree_mirror $(printf '%s' "$packages" | sha256sum | cut -c1-16)"
  name=$release-minimal
  [ $# -eq 0 ] || name=$release-$(IFS=-; echo "$*")
  local dir=$fresh_tree_cache/$name
  mkdir -p "$fresh_tree_cache"
  # One script at a time makes a kept tree; another waits and then uses it.
  exec {lock}> "$fresh_tree_cache/$name.lock"
  flock "$lock"
  if [ -d "$dir" ] && [ "$(cat "$dir.stamp" 2> /dev/null)" = "$key" ] &&
     [ -z "$(find "$dir.stamp" -mtime +$fresh_tree_max_age_days)" ]; then
    echo "Using the kept $(fresh_tree_release_name "$release") tree $dir" >&2
    exec {lock}>&-
    echo "$dir"
    return 0
  fi
  fresh_tree_remove "$dir"
  fresh_tree_remove "$dir.new"
  rm -f "$dir.stamp"
  if [ $# -eq 0 ]; then
    echo "Making a minimal $(fresh_tree_release_name "$release") tree with debootstrap in $dir ..." >&2
    fresh_tree_make "$release" "$dir.new" "$fresh_tree_cache/$name.log" || { exec {lock}>&-; return 1; }
  else
    local minimal
    minimal=$(fresh_tree_base "$release") || { exec {lock}>&-; return 1; }
    echo "Installing the packages of $* into a copy of $minimal (in $dir; its output: $fresh_tree_cache/$name.log) ..." >&2
    cp -a "$minimal" "$dir.new"
    cp scripts/install-packages.sh "$dir.new/tmp/install-packages.sh"
    if ! fresh_tree_run "$dir.new" /bin/bash -c 'source /tmp/install-packages.sh; install_missing_packages "$@"' \
        install "$@" > "$fresh_tree_cache/$name.log" 2>&1; then
      echo "Installing the packages of $* failed; the end of $fresh_tree_cache/$name.log:" >&2
      tail -n 15 "$fresh_tree_cache/$name.log" >&2
      exec {lock}>&-
      return 1
    fi
    rm -rf "$dir.new/tmp/install-packages.sh" "$dir.new"/var/lib/apt/lists/* "$dir.new"/var/cache/apt/archives/*.deb
  fi
  mv "$dir.new" "$dir"
  echo "$key" > "$dir.stamp"
  exec {lock}>&-
  echo "$dir"
}

# fresh_tree_make RELEASE DIR LOG: a minimal tree of RELEASE in DIR (made anew), with the package
# sources a Debian machine has after installation; debootstrap's output goes to LOG.
fresh_tree_make() {
  local release=$1 dir=$2 log=$3
  fresh_tree_remove "$dir"
  mkdir -p "$(dirname "$dir")"
  # debootstrap mounts proc and sys into the tree while it works: in a namespace of its own those
  # mounts end with it, even when it is stopped half way.
  if ! unshare --mount --propagation private -- \
      debootstrap --variant=minbase "$release" "$dir" "$fresh_tree_mirror" > "$log" 2>&1; then
    echo "debootstrap could not make a $(fresh_tree_release_name "$release") tree from $fresh_tree_mirror; its last words ($log):" >&2
    tail -n 5 "$log" >&2
    return 1
  fi
  rm -f "$dir/etc/apt/sources.list.d/debian.sources"
  cat > "$dir/etc/apt/sources.list" <<SOURCES
deb $fresh_tree_mirror $release main
deb $fresh_tree_mirror $release-updates main
deb http://deb.debian.org/debian-security $release-security main
SOURCES
  # What a fresh machine has not done yet: no package lists, no cached packages.
  rm -rf "$dir"/var/lib/apt/lists/* "$dir"/var/cache/apt/archives/*.deb
}

# fresh_tree_layer BASE NAME: build/fresh-tree/NAME (fresh_tree_layered) shows the kept tree BASE,
# and takes what is written there into build/fresh-tree/NAME.changes; both go when the script
# ends, unless --keep was given (then the changes stay, to be looked at over BASE).
fresh_tree_layer() {
  local base=$1
  local dir=$PWD/build/fresh-tree/$2
  fresh_tree_unlayer "$dir"
  mkdir -p "$dir" "$dir.changes" "$dir.work"
  mount -t overlay overlay -o "lowerdir=$base,upperdir=$dir.changes,workdir=$dir.work" "$dir"
  if [ ${#fresh_tree_layers[@]} -eq 0 ]; then
    trap 'fresh_tree_unlayer_all' EXIT
  fi
  fresh_tree_layers+=("$dir")
  fresh_tree_layered=$dir
}

fresh_tree_unlayer() {
  local dir=$1
  if mountpoint -q "$dir"; then
    fresh_tree_end_processes "$dir"
    umount -l "$dir"
  fi
  rm -rf --one-file-system "$dir.work" "$dir.changes"
  [ ! -d "$dir" ] || rmdir "$dir"
}

fresh_tree_unlayer_all() {
  local dir
  for dir in "${fresh_tree_layers[@]}"; do
    if ${fresh_tree_keep:-false}; then
      fresh_tree_end_processes "$dir"
      echo "Kept: what the stage wrote, in $dir.changes"
    else
      fresh_tree_unlayer "$dir"
    fi
  done
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

# fresh_tree_clone DIR REPOSITORY COMMIT: the project at COMMIT in /root/zembrati of the tree, as a
# user clones it.
fresh_tree_clone() {
  local dir=$1 repository=$2 commit=$3
  git clone --quiet --no-local --no-checkout "$repository" "$dir/root/zembrati"
  git -C "$dir/root/zembrati" checkout --quiet --detach "$commit"
}

# fresh_tree_test_command STAGES LOG: runs the test command's STAGES (ZEMBRATI_STAGES) in the
# clone in fresh_tree_dir, its output into LOG; prints the stages' lines, or the end of LOG and
# the verdict FAILED, and then ends the script.
fresh_tree_test_command() {
  local stages=$1 log=$2
  echo "Running scripts/test.sh there (stages: $stages; its output: $log) ..."
  if ! fresh_tree_run "$fresh_tree_dir" /bin/sh -c "cd /root/zembrati && ZEMBRATI_STAGES='$stages' scripts/test.sh" > "$log" 2>&1; then
    tail -n 40 "$log" >&2
    fresh_tree_verdict FAILED
    exit 1
  fi
  grep -E '^=== |tests passed|tests failed' "$log"
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
