#!/usr/bin/env bash
# Checks the first-use set-up without building anything: what ./run and ./test
# say and do when a package is missing and the user is not root, with and
# without sudo, and which packages each of them asks for.
set -euo pipefail
cd "$(dirname "$0")/.."

passed=0 failed=0
pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; printf '%s\n' "$2" | sed 's/^/    | /'; failed=$((failed + 1)); }
# note REASON: keeps the first reason why a case fails.
note() { [ -n "$why" ] || why=$1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kalimar-setup-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

# A copy of the set-up scripts that the unprivileged user can read; it builds
# nothing, as every case below stops at the missing packages.
mkdir -p "$work/src/scripts"
cp run test "$work/src/"
cp scripts/common.sh "$work/src/scripts/"
chmod -R a+rX "$work/src"

# PATH without sudo: links to every program of the system's bin folders but sudo.
nosudo=$work/nosudo
mkdir "$nosudo"
declare -A seen=()
links=()
for dir in /usr/local/sbin /usr/local/bin /usr/sbin /usr/bin /sbin /bin; do
    [ -d "$dir" ] || continue
    for prog in "$dir"/*; do
        name=${prog##*/}
        { [ "$name" = sudo ] || [ -n "${seen[$name]:-}" ]; } && continue
        seen[$name]=1
        links+=("$prog")
    done
done
ln -s -t "$nosudo" "${links[@]}"

# A sudo that notes how it was called and refuses, as for a user not in sudoers.
fakesudo=$work/fakesudo
mkdir "$fakesudo"
sudolog=$work/sudo.log
: >"$sudolog"
chmod 666 "$sudolog"
cat >"$fakesudo/sudo" <<EOF
#!/bin/sh
echo "sudo \$*" >>"$sudolog"
echo "sudo: a password is required" >&2
exit 1
EOF
# A dpkg-query that finds nothing installed: the whole list shows up as missing.
bare=$work/bare
mkdir "$bare"
printf '#!/bin/sh\nexit 1\n' >"$bare/dpkg-query"
chmod 755 "$fakesudo/sudo" "$bare/dpkg-query"

# as_user PATH [NAME=VALUE...] COMMAND: COMMAND in the copy, in a clean
# environment, as an unprivileged user (nobody when we are root).
as_user() {
    local path=$1; shift
    local env=(env -i PATH="$path" HOME="$work" LANG=C.UTF-8)
    if [ "$(id -u)" -eq 0 ]; then
        (cd "$work/src" && setpriv --reuid=nobody --regid=nogroup --clear-groups "${env[@]}" "$@")
    else
        (cd "$work/src" && "${env[@]}" "$@")
    fi
}

if ! as_user "$nosudo" test -r run; then
    echo "setup-check: the unprivileged user cannot read $work/src; set TMPDIR to a folder it can reach"
    exit 1
fi

# apt_line OUTPUT: the package list of the apt-get install line it prints.
apt_line() { sed -n 's/^    apt-get install --no-install-recommends //p' <<<"$1"; }

missing="kalimar-check-missing-one kalimar-check-missing-two"
apt_want="apt-get install --no-install-recommends $missing"
for script in run test; do
    # No sudo: say what to do, with the exact apt-get line, and exit 1.
    set +e
    out=$(as_user "$nosudo" KALIMAR_PACKAGES_OVERRIDE="bash $missing" ./$script 2>&1)
    rc=$?
    set -e
    why=""
    [ $rc -eq 1 ] || note "exit status $rc, not 1"
    ! grep -q 'command not found' <<<"$out" || note "a command was not found"
    grep -qx "./$script: these Debian packages are missing: $missing" <<<"$out" || note "no list of the missing packages"
    [ "$(apt_line "$out")" = "$missing" ] || note "no '$apt_want' line"
    grep -q "run ./$script as root" <<<"$out" || note "does not say to run it as root"
    grep -q 'install and configure sudo' <<<"$out" || note "does not say to set up sudo"
    if [ -z "$why" ]; then pass "./$script without root and without sudo"; else fail "./$script without root and without sudo: $why" "$out"; fi

    # With sudo: use it; when it refuses, say what to do and exit 1.
    : >"$sudolog"
    set +e
    out=$(as_user "$fakesudo:$nosudo" KALIMAR_PACKAGES_OVERRIDE="bash $missing" ./$script 2>&1)
    rc=$?
    set -e
    why=""
    [ $rc -eq 1 ] || note "exit status $rc, not 1"
    grep -q '^sudo apt-get' "$sudolog" || note "sudo was not asked to run apt-get"
    grep -q 'sudo could not install them' <<<"$out" || note "does not say that sudo failed"
    [ "$(apt_line "$out")" = "$missing" ] || note "no '$apt_want' line"
    if [ -z "$why" ]; then pass "./$script without root, with a sudo that refuses"; else fail "./$script without root, with a sudo that refuses: $why" "$out"; fi
done

# What each script would install on a machine that has nothing.
lists=()
for script in run test; do
    set +e
    out=$(as_user "$bare:$nosudo" ./$script 2>&1)
    set -e
    lists+=("$(apt_line "$out")")
done
run_list=" ${lists[0]} " test_list=" ${lists[1]} "
why=""
[[ $run_list == *" qt6-base-dev "* ]] || note "no qt6-base-dev in its list"
[[ $run_list != *" libgtest-dev "* && $run_list != *" libbenchmark-dev "* ]] || note "it installs googletest or benchmark"
if [ -z "$why" ]; then pass "./run installs only what the program needs"; else fail "./run installs only what the program needs: $why" "${lists[0]}"; fi
if [[ $test_list == *" libgtest-dev "* && $test_list == *" libbenchmark-dev "* && $test_list == *" qt6-base-dev "* ]]; then
    pass "./test installs what the tests need"
else
    fail "./test installs what the tests need" "${lists[1]}"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
