#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the first-use set-up without building anything: what ./run and ./test
# say and do when a package is missing and the user is not root, with and
# without sudo, what apt-get's output becomes, a build tree the user cannot
# write, which packages each of them asks for, and that the package check
# names a missing tool before it builds.
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
cp scripts/common.sh scripts/package-check.sh "$work/src/scripts/"
chmod -R a+rX "$work/src"

# bin_without FOLDER NAME...: FOLDER gets links to every program of the
# system's bin folders but the NAMEs, to be a PATH that lacks them.
bin_without() {
    local folder=$1 dir prog name; shift
    local -A seen=()
    local links=()
    for name in "$@"; do seen[$name]=1; done
    mkdir "$folder"
    for dir in /usr/local/sbin /usr/local/bin /usr/sbin /usr/bin /sbin /bin; do
        [ -d "$dir" ] || continue
        for prog in "$dir"/*; do
            name=${prog##*/}
            [ -n "${seen[$name]:-}" ] && continue
            seen[$name]=1
            links+=("$prog")
        done
    done
    ln -s -t "$folder" "${links[@]}"
}
nosudo=$work/nosudo
bin_without "$nosudo" sudo

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

# A sudo that runs the command, an apt-get as talkative as the real one
# (and failing when KALIMAR_CHECK_APT_FAILS is set), and a cmake that only
# says it was called: the package step of a user whom sudo lets in.
fakeapt=$work/fakeapt
mkdir "$fakeapt"
printf '#!/bin/sh\nexec "$@"\n' >"$fakeapt/sudo"
cat >"$fakeapt/apt-get" <<'EOF'
#!/bin/sh
[ "$1" = update ] && { echo "Reading package lists... Done"; exit 0; }
echo "The following NEW packages will be installed:"
echo "0 upgraded, 3 newly installed, 0 to remove and 0 not upgraded."
echo "Need to get 1,234 kB of archives."
echo "After this operation, 5,678 kB of additional disk space will be used."
for i in $(seq 250); do
    echo "Selecting previously unselected package noise$i."
    echo "Unpacking noise$i (1.0) ..."
    echo "Setting up noise$i (1.0) ..."
done
[ -z "$KALIMAR_CHECK_APT_FAILS" ] || { echo "E: Sub-process /usr/bin/dpkg returned an error code (1)"; exit 100; }
EOF
printf '#!/bin/sh\necho "cmake called" >&2\nexit 1\n' >"$fakeapt/cmake"
chmod 755 "$fakeapt/sudo" "$fakeapt/apt-get" "$fakeapt/cmake"

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
    grep -q 'set up sudo for your user' <<<"$out" || note "does not say to set up sudo"
    # Root in a user's clone leaves a build/ the user cannot write.
    grep -q "Run ./$script itself as root only in a fresh clone" <<<"$out" || note "does not keep root to a fresh clone"
    if [ -z "$why" ]; then pass "./$script without root and without sudo"; else fail "./$script without root and without sudo: $why" "$out"; fi

    # With sudo: use it; when it refuses, say what to do and exit 1.
    : >"$sudolog"
    set +e
    out=$(as_user "$fakesudo:$nosudo" KALIMAR_PACKAGES_OVERRIDE="bash $missing" ./$script 2>&1)
    rc=$?
    set -e
    why=""
    [ $rc -eq 1 ] || note "exit status $rc, not 1"
    grep -qE '^sudo (env [^ ]+ )*apt-get' "$sudolog" || note "sudo was not asked to run apt-get"
    grep -q 'sudo could not install them' <<<"$out" || note "does not say that sudo failed"
    [ "$(apt_line "$out")" = "$missing" ] || note "no '$apt_want' line"
    if [ -z "$why" ]; then pass "./$script without root, with a sudo that refuses"; else fail "./$script without root, with a sudo that refuses: $why" "$out"; fi
done

for script in run test; do
    # sudo works: apt-get's chatter becomes one line; cmake comes next.
    set +e
    out=$(as_user "$fakeapt:$nosudo" KALIMAR_PACKAGES_OVERRIDE="bash $missing" ./$script 2>&1)
    set -e
    want="Installing with sudo \\(it may ask for your password\\) $missing: done, 3 packages with their dependencies, 1,234 kB downloaded, 5,678 kB of disk, [0-9]+ s\."
    if [ "$(wc -l <<<"$out")" -eq 2 ] && grep -qxE "$want" <<<"$out" && [ "$(tail -n 1 <<<"$out")" = "cmake called" ]; then
        pass "./$script installs with one line of output"
    else
        fail "./$script installs with one line of output" "$out"
    fi
    # apt-get fails: its whole output is there, and the script stops.
    set +e
    out=$(as_user "$fakeapt:$nosudo" KALIMAR_CHECK_APT_FAILS=1 KALIMAR_PACKAGES_OVERRIDE="bash $missing" ./$script 2>&1)
    rc=$?
    set -e
    why=""
    [ $rc -eq 1 ] || note "exit status $rc, not 1"
    [ "$(grep -c '^Setting up noise' <<<"$out")" -eq 250 ] || note "apt-get's output is not all there"
    grep -q '^E: Sub-process' <<<"$out" || note "apt-get's error is not there"
    ! grep -q 'cmake called' <<<"$out" || note "it went on to cmake"
    if [ -z "$why" ]; then pass "./$script shows apt-get's output when it fails"; else fail "./$script shows apt-get's output when it fails: $why" "$(tail -n 20 <<<"$out")"; fi
done

# A build/ made by a run as root: the user's ./run and ./test name it and its
# fix before they install or configure anything. As root the check makes the
# tree root's own; as a user, it takes away the write bits.
for script in run test; do
    rm -rf "$work/src/build"
    mkdir -p "$work/src/build/main"
    touch "$work/src/build/CMakeCache.txt"
    [ "$(id -u)" -eq 0 ] || chmod a-w "$work/src/build/CMakeCache.txt" "$work/src/build/main"
    set +e
    out=$(as_user "$fakeapt:$nosudo" KALIMAR_PACKAGES_OVERRIDE="bash $missing" ./$script 2>&1)
    rc=$?
    set -e
    why=""
    [ $rc -eq 1 ] || note "exit status $rc, not 1"
    grep -q "^./$script: build/ cannot be written by " <<<"$out" || note "does not say that build/ cannot be written"
    grep -qE '^    sudo chown -R [^ ]+: .*/build$' <<<"$out" || note "does not give the chown line"
    ! grep -qE '^Installing|cmake called' <<<"$out" || note "it went on before saying so"
    if [ -z "$why" ]; then pass "./$script names a build/ it cannot write and its fix"; else fail "./$script names a build/ it cannot write and its fix: $why" "$out"; fi
    chmod -R u+w "$work/src/build"
done
rm -rf "$work/src/build"

# Root in a folder of a user's: a note before the build that its tree will be root's.
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$work/src"
    set +e
    out=$(cd "$work/src" && env -i PATH="$fakeapt:$nosudo" HOME="$work" KALIMAR_PACKAGES_OVERRIDE="bash $missing" ./run 2>&1)
    set -e
    if grep -q "^./run: note: running as root in a folder of nobody's: build/ will belong to root" <<<"$out"; then
        pass "./run as root in a user's folder says that build/ will be root's"
    else
        fail "./run as root in a user's folder says that build/ will be root's" "$out"
    fi
    chown -R "$(id -u)" "$work/src"
fi

# The package check, without file and dpkg-shlibdeps: it names both before it
# builds (cpack alone says "Problem compressing the directory").
notools=$work/notools
bin_without "$notools" sudo file dpkg-shlibdeps
set +e
out=$(as_user "$notools" KALIMAR_PACKAGES_OVERRIDE=bash ./scripts/package-check.sh 2>&1)
rc=$?
set -e
why=""
[ $rc -eq 1 ] || note "exit status $rc, not 1"
grep -q '^package-check: FAIL: missing tools: .*file (Debian package file)' <<<"$out" || note "does not name file"
grep -q '^package-check: FAIL: missing tools: .*dpkg-shlibdeps (Debian package dpkg-dev)' <<<"$out" || note "does not name dpkg-shlibdeps"
[ ! -e "$work/src/build-pkg" ] || note "it started the build"
if [ -z "$why" ]; then pass "package-check names its missing tools first"; else fail "package-check names its missing tools first: $why" "$out"; fi

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
