#!/bin/bash
# Run inside a fresh Debian tree by scripts/check-debian-packages.sh, as root, with the package in
# /root/package and, for the command line, the other release's package in /root/other: installs,
# uses and removes the package as a user does. Each check prints "ok: ..." or "FAILED: ...".
#
#   check-installed-package.sh command-line|workbench
set -uo pipefail
kind=$1
export DEBIAN_FRONTEND=noninteractive
status=0
ok() { echo "ok: $1"; }
failed() { echo "FAILED: $1"; status=1; }
installed() { dpkg-query -W -f='${Status}' zembrati 2> /dev/null | grep -q "ok installed"; }

apt-get update -qq || { failed "apt-get update"; exit 1; }

# The other release's package: its dependencies are not to be had here, so apt refuses it whole.
for other in /root/other/zembrati_*_amd64.deb; do
  [ -f "$other" ] || continue
  if apt-get install -y "$other" > /root/other.log 2>&1 || installed; then
    failed "the other release's package was not refused"
  else
    ok "the other release's package is refused: $(grep -m1 -E 'Depends:|Breaks:|^E:' /root/other.log | sed 's/^ *//')"
  fi
done

package=$(ls /root/package/zembrati_*_amd64.deb)
if apt-get install -y -qq --no-install-recommends "$package" > /root/install.log 2>&1 && installed; then
  ok "apt-get install $(basename "$package") sets it up with $(($(grep -c "^Setting up" /root/install.log) - 1)) packages it needs"
else
  cat /root/install.log
  failed "apt-get install $(basename "$package")"
  exit 1
fi
dpkg -L zembrati | sort > /root/files.txt

if [ "$kind" = command-line ]; then
  for tool in g++ cc cmake make; do
    ! command -v "$tool" > /dev/null || failed "a build tool is here: $tool"
  done
  [ "$(command -v zembrati)" = /usr/bin/zembrati ] && ok "zembrati is /usr/bin/zembrati" || failed "zembrati is not /usr/bin/zembrati"
  mkdir -p /root/work && cd /root/work
  if zembrati drop --scene scene.json --type HE --standard HEA --size 200 --length 1500 --json > drop.out 2> drop.err &&
     grep -q '"HEA 200 x 1500"' drop.out; then
    ok "zembrati drop makes an HEA 200 x 1500 with the installed settings and catalogue"
  else
    cat drop.err; failed "zembrati drop"
  fi
  if zembrati catalogue check > check.txt 2>&1; then ok "zembrati catalogue check: $(tail -n 1 check.txt)"; else tail check.txt; failed "zembrati catalogue check"; fi

  # A user's own settings, away from the installed ones, naming the installed catalogue.
  mkdir -p /root/mine
  sed 's#\${SETTINGS_DIR}/\.\./catalogue#/usr/share/zembrati/catalogue#' /usr/share/zembrati/settings/zembrati.ini > /root/mine/zembrati.ini
  if zembrati drop --settings /root/mine/zembrati.ini --scene mine.json --type HE --standard IPE --size 200 --json > mine.out 2> mine.err &&
     grep -q '"IPE 200 x ' mine.out; then
    ok "zembrati drop with a user's own --settings"
  else
    cat mine.err; failed "zembrati drop with a user's own --settings"
  fi
  sed 's#=/usr/share/zembrati/catalogue/en/#=/root/nowhere/en/#' /root/mine/zembrati.ini > /root/mine/broken.ini
  zembrati drop --settings /root/mine/broken.ini --scene broken.json --type HE > broken.out 2> broken.err
  code=$?
  if [ $code -eq 1 ] && grep -q "/root/nowhere/en/" broken.err && [ ! -e broken.json ]; then
    ok "settings naming a missing catalogue folder: exit 1, $(head -n 1 broken.err)"
  else
    cat broken.err; failed "settings naming a missing catalogue folder (exit $code)"
  fi
else
  cd /root
  if HOME=/root freecadcmd /root/check_installed_workbench.py > workbench.log 2>&1 && grep -q '^PASSED' workbench.log; then
    ok "$(grep '^PASSED' workbench.log | sed 's/^PASSED: //')"
    # Python compiled the workbench's files beside them (FreeCAD ran as root): the package's
    # prerm takes them away.
    ok "Python left $(find /usr/share/freecad/Mod/Zembrati -type d -name __pycache__ | wc -l) __pycache__ folders in the workbench"
  else
    tail -n 30 workbench.log; failed "freecadcmd inserts a part through the installed workbench"
  fi
fi

# Removing it leaves none of its files, and no folder of its own.
if apt-get remove -y -qq zembrati > /root/remove.log 2>&1 && ! installed &&
   [ "$(dpkg-query -W -f='${db:Status-Status}' zembrati 2> /dev/null)" != config-files ]; then
  left=()
  while read -r path; do
    [ -e "$path" ] || continue
    if [ -d "$path" ] && [ ! -L "$path" ] && dpkg -S "$path" > /dev/null 2>&1; then continue; fi
    left+=("$path")
  done < /root/files.txt
  if [ ${#left[@]} -eq 0 ]; then
    ok "apt-get remove leaves none of its $(wc -l < /root/files.txt) paths"
  else
    failed "apt-get remove left ${left[*]}"
  fi
else
  cat /root/remove.log; failed "apt-get remove zembrati"
fi
exit $status
