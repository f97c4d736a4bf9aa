#!/bin/bash
# Installed as lumenfold, lumenfold-capture and lumenfold-bench: runs the program of its own name from the folder
# that holds the show's font and music, as the programs read them from the working directory. A file named on
# the command line still means one in the folder it was started from.
self=$(readlink -f "$0")
prefix=${self%/bin/*}
args=()
previous=
for arg in "$@"; do
    case $previous in
    --out | --video | --sheet) [[ -z $arg || $arg == /* ]] || arg=$PWD/$arg ;;
    esac
    [[ $arg == --benchmark_out=[!/]* ]] && arg=--benchmark_out=$PWD/${arg#--benchmark_out=}
    args+=("$arg")
    previous=$arg
done
cd "$prefix/share/lumenfold" || exit 1
exec "$prefix/lib/lumenfold/${self##*/}" "${args[@]}"
