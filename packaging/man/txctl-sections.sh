#!/usr/bin/env bash
# Prints the sections help2man adds to txctl's page: one subsection per
# command from `txctl COMMAND --help`, and the exit statuses, files and
# environment from the tables of docs/txctl.md. Both are what users read
# elsewhere, so the page says nothing they do not.
#   txctl-sections.sh TXCTL DOC
set -euo pipefail
txctl=$1
doc=$2

# roff from plain text: backslashes and hyphens escaped, no line taken for a
# request.
roff() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^[.']/\\\\\&&/"; }

# A command's --help: usage, description, options, examples.
command_section() {
    "$txctl" "$1" --help | roff | awk '
        NR == 1 { sub(/^Usage: /, ""); printf ".SS \"%s\"\n", $0; next }
        /^Options:$/ { part = "options"; next }
        /^Examples:$/ { part = "examples"; print ".PP\nExamples:\n.RS\n.nf"; next }
        part == "" && /^$/ { text = 0; next }
        part == "" { if (!text++) print ".PP"; print; next }
        part == "options" && /^  \\-/ {
            # "  -o, --output <OUT>  text": the names bold, the value italic.
            line = substr($0, 3)
            split(line, cut, /   */)
            names = cut[1]
            text = substr(line, length(names) + 1)
            sub(/^ +/, "", text)
            gsub(/\\-[^ ,<]+/, "\\fB&\\fR", names)
            gsub(/<[^>]+>/, "\\fI&\\fR", names)
            printf ".TP\n%s\n%s\n", names, text
            next
        }
        part == "options" && /^    / { sub(/^ +/, ""); print; next }
        part == "examples" && /^  / { sub(/^  /, ""); print; next }
        END { if (part == "examples") print ".fi\n.RE" }'
}

# The rows of the table under "## HEADING" in the doc, as tagged paragraphs:
# | `XDG_DATA_HOME` | text | becomes .TP, the first cell, then the second.
doc_table() {
    roff <"$doc" | awk -v heading="## $1" '
        $0 == heading { on = 1; next }
        on && /^## / { on = 0 }
        on && /^\|/ && !/^\|(\\-)+\|/ && ++row > 1 {
            n = split($0, cell, /[ ]*\|[ ]*/)
            printf ".TP\n%s\n", cell[2]
            for (i = 3; i < n; ++i) print cell[i]
        }' | sed -e 's/`\([^`]*\)`/\\fB\1\\fR/g'
}

echo "[COMMANDS]"
"$txctl" --help | awk '/^Commands:$/ { on = 1; next } on && /^$/ { on = 0 } on { print $1 }' |
    while read -r name; do command_section "$name"; done
# The overview's examples, one command a line as in the help.
echo "[=EXAMPLES]"
echo ".nf"
"$txctl" --help | roff | awk '/^Examples:$/ { on = 1; next } on && /^  / { sub(/^  /, ""); print }'
echo ".fi"
for section in "Exit status" Files Environment; do
    echo "[${section^^}]"
    doc_table "$section"
done
