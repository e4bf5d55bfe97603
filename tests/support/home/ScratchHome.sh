#!/bin/sh
# Runs a test in a home of its own: ScratchHome.sh PARENT COMMAND [ARGUMENT...]
# Makes a fresh folder under PARENT, points HOME and the XDG folders into it, runs COMMAND there
# and removes the folder when the command succeeds (a failed test leaves it for a look).
parent=$1
shift
mkdir -p "$parent" || exit 1
home=$(mktemp -d "$parent/home.XXXXXX") || exit 1
mkdir -p "$home/data" "$home/config" "$home/cache" "$home/runtime" || exit 1
chmod 0700 "$home/runtime" || exit 1
HOME=$home
XDG_DATA_HOME=$home/data
XDG_CONFIG_HOME=$home/config
XDG_CACHE_HOME=$home/cache
XDG_RUNTIME_DIR=$home/runtime
export HOME XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR
"$@"
status=$?
if [ "$status" -eq 0 ]; then
    rm -rf "$home"
else
    echo "ScratchHome.sh: the test's home is kept in $home" >&2
fi
exit "$status"
