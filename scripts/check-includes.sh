#!/usr/bin/env bash
# Checks the layering of src/: no two folders include each other (directly or
# through others), only src/app/ includes the main window's form, and only
# src/datafile/ opens the datafile or knows its records and fields (the rest
# speaks to it through ShopFile and the other classes there).
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root/src"

status=0
if grep -rln --include='*.cpp' --include='*.h' '#include "ui_Interface.h"' . | grep -v '^\./app/'; then
    echo "check-includes: the files above include ui_Interface.h outside src/app/" >&2
    status=1
fi

storage='#include "datafile/(DataFile|RecordStore|RecordCodec|RecordLayout|HeaderRecords|Journal)\.h"|\b(DataFile|RecordStore|RecordView|HeaderRecord)::|\b(DataFile|RecordStore) [a-z]'
if grep -rnE --include='*.cpp' --include='*.h' "$storage" . | grep -v '^\./datafile/'; then
    echo "check-includes: the lines above open the datafile or name its records outside src/datafile/" >&2
    status=1
fi

# Folder-level edges: "from to" for every include of another folder's header.
edges=$(grep -rHo --include='*.cpp' --include='*.h' '#include "[a-z]*/[^"]*"' . |
    sed -E 's#^\./([a-z]+)/[^:]*:\#include "([a-z]+)/.*#\1 \2#' | awk '$1 != $2' | sort -u)

# A cycle exists when tsort cannot order the folders.
if ! echo "$edges" | tsort >/dev/null 2>/tmp/check-includes.$$; then
    echo "check-includes: the folders of src/ include each other:" >&2
    cat /tmp/check-includes.$$ >&2
    echo "$edges" | sed 's/^/  /' >&2
    status=1
fi
rm -f /tmp/check-includes.$$
[ $status -eq 0 ] && echo "check-includes: $(echo "$edges" | wc -l) folder dependencies, no cycle"
exit $status
