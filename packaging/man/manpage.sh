#!/usr/bin/env bash
# Writes OUTDIR/NAME.1 and OUTDIR/NAME.1.gz from the program's --help with
# help2man, adding the sections of NAME.h2m beside this script (and for txctl
# one subsection per command), so the page follows the options as they are.
#   manpage.sh OUTDIR PROGRAM VERSION SUMMARY [DOC]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
outdir=$1
program=$2
version=$3
summary=$4
name=$(basename "$program")

includes=(--include "$here/$name.h2m")
if [ "$name" = txctl ]; then
    "$here/txctl-sections.sh" "$program" "$5" >"$outdir/txctl-sections.h2m"
    includes+=(--include "$outdir/txctl-sections.h2m")
fi
# Not every program answers --version; the project's version is the one.
help2man --no-info --no-discard-stderr --version-string="$version" --name="$summary" \
    --section=1 --source="txconfig $version" "${includes[@]}" \
    --output="$outdir/$name.1" "$program"
# -n: no name or time in the header, so the package builds reproducibly.
gzip -9n --stdout "$outdir/$name.1" >"$outdir/$name.1.gz"
