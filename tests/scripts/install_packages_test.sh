#!/usr/bin/env bash
# Runs scripts/install-packages as a user who is not root, with apt-get and
# dpkg-query stubbed so that nothing is installed, and checks that:
# - with sudo, both apt-get commands run as root with DEBIAN_FRONTEND=noninteractive;
# - without sudo, the script stops before apt-get and says what to do.
# The user (and its sudoers entry) is made here and removed at the end, so the
# check needs root; it is skipped (77) without root, and its sudo part without sudo.
set -euo pipefail
script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/install-packages"
if [ "$(id -u)" -ne 0 ] || ! command -v useradd >/dev/null || ! command -v runuser >/dev/null; then
  echo "skipped: making a user for the check needs root, useradd and runuser"
  exit 77
fi

user="zlvcheck$$"
work="$(mktemp -d)"
sudoers="/etc/sudoers.d/$user"
made_user=""
cleanup() {
  rm -f "$sudoers"
  [ -z "$made_user" ] || userdel "$user" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# Other checks may be editing the user database at the same moment.
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  if useradd --no-create-home --shell /bin/bash "$user" 2>"$work/useradd.err"; then
    made_user=yes
    break
  fi
  sleep 0.3
done
[ -n "$made_user" ] || { echo "FAIL: useradd: $(cat "$work/useradd.err")"; exit 1; }

chmod 755 "$work"
log="$work/apt-get.log"
: >"$log"
chmod 666 "$log"
stubs="$work/stubs"
mkdir "$stubs"
printf '#!/bin/sh\n# Nothing is installed.\nexit 1\n' >"$stubs/dpkg-query"
printf '#!/bin/sh\necho "uid=$(id -u) DEBIAN_FRONTEND=${DEBIAN_FRONTEND:-} $*" >>%s\n' "$log" >"$stubs/apt-get"
chmod 755 "$stubs/dpkg-query" "$stubs/apt-get"
cp "$script" "$work/install-packages"
chmod 755 "$work/install-packages"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# As the user, with DEBIAN_FRONTEND unset whatever the caller had.
run_as_user() {
  local path="$1"
  runuser -u "$user" -- env -u DEBIAN_FRONTEND PATH="$path" "$work/install-packages" >"$work/out" 2>&1
}

# Without sudo: a PATH that holds only what the script needs besides sudo.
nosudo="$work/nosudo"
mkdir "$nosudo"
for tool in bash id grep cat; do
  ln -s "$(command -v "$tool")" "$nosudo/$tool"
done
ln -s "$stubs/dpkg-query" "$nosudo/dpkg-query"
ln -s "$stubs/apt-get" "$nosudo/apt-get"
if run_as_user "$nosudo"; then
  fail "without sudo the script succeeded"
fi
grep -q "sudo is not installed" "$work/out" || fail "without sudo, no hint: $(cat "$work/out")"
grep -q "qt6-base-dev" "$work/out" || fail "without sudo, the missing packages are not named: $(cat "$work/out")"
[ ! -s "$log" ] || fail "without sudo, apt-get ran: $(cat "$log")"

if ! command -v sudo >/dev/null || ! command -v visudo >/dev/null; then
  [ "$failures" -eq 0 ] || exit 1
  echo "skipped: sudo is not installed, so the check as a user with sudo did not run"
  exit 77
fi

# With sudo: the stubs come first on the PATH that sudo gives its commands.
cat >"$work/sudoers" <<SUDOERS
Defaults:$user secure_path="$stubs:/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"
$user ALL=(root) NOPASSWD: ALL
SUDOERS
visudo -cqf "$work/sudoers" || { echo "FAIL: the sudoers entry of the check is invalid"; exit 1; }
install -m 0440 "$work/sudoers" "$sudoers"
run_as_user "$stubs:/usr/local/bin:/usr/bin:/bin" || fail "with sudo the script failed: $(cat "$work/out")"
grep -qx "uid=0 DEBIAN_FRONTEND=noninteractive update -qq" "$log" \
  || fail "apt-get update did not run as root with DEBIAN_FRONTEND=noninteractive: $(cat "$log")"
grep -qx "uid=0 DEBIAN_FRONTEND=noninteractive install -y -qq --no-install-recommends cmake .*" "$log" \
  || fail "apt-get install did not run as root with DEBIAN_FRONTEND=noninteractive: $(cat "$log")"
[ "$(wc -l <"$log")" -eq 2 ] || fail "apt-get ran other than twice: $(cat "$log")"

[ "$failures" -eq 0 ] || exit 1
echo "install-packages asks for root through sudo and keeps DEBIAN_FRONTEND"
