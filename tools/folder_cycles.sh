#!/bin/sh
# Fails when two folders of the source tree include each other, directly or through others:
# the folders are meant to be the layers, and a layer includes only the ones below it.
# Usage: folder_cycles.sh <src directory>
src=${1:?usage: folder_cycles.sh <src directory>}
cd "$src" || exit 2
find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | while read -r file; do
    from=$(dirname "$file")
    sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)/[^/"]*".*|\1|p' "$file" |
        while read -r to; do
            [ -d "$to" ] && [ "$to" != "$from" ] && echo "$from $to"
        done
done | sort -u | awk '
    { edge[$1, $2] = 1; node[$1] = 1; node[$2] = 1 }
    END {
        for (k in node) for (i in node) for (j in node)
            if (edge[i, k] && edge[k, j]) edge[i, j] = 1
        bad = 0
        for (i in node) for (j in node)
            if (i < j && edge[i, j] && edge[j, i]) {
                print "folders include each other: " i " and " j
                bad = 1
            }
        exit bad
    }'
