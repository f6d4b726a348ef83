#!/usr/bin/env bash
# Writes CHANGELOG.md as the package's changelog.gz, in the format Debian
# requires of a native package's changelog: per "## VERSION (YYYY-MM-DD)"
# section an entry "txconfig (VERSION) unstable" with its "- " items as "* "
# items, signed by the maintainer on that date.
#   changelog.sh CHANGELOG.md MAINTAINER OUT.gz
set -euo pipefail
in=$1
maintainer=$2
out=$3

awk -v maintainer="$maintainer" '
    function sign() {
        if (!version) return
        cmd = "LC_ALL=C date -u -R -d " date
        cmd | getline stamp
        close(cmd)
        printf "\n -- %s  %s\n\n", maintainer, stamp
    }
    /^## / {
        sign()
        version = $2
        date = $3
        gsub(/[()]/, "", date)
        printf "txconfig (%s) unstable; urgency=medium\n\n", version
        next
    }
    version && /^- / { print "  * " substr($0, 3); next }
    version && /^  [^ ]/ { print "    " substr($0, 3); next }
    END { sign() }' "$in" | sed '$d' | gzip -9n >"$out"
