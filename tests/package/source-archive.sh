#!/usr/bin/env bash
# The source tree as a project would download it for FetchContent:
#   tests/package/source-archive.sh ROOT ARCHIVE   # prints the archive's SHA-256
# The archive is rewritten only when its bytes change, so that FetchContent
# takes it again only then.
set -euo pipefail
root=$1 archive=$2
tar -C "$root" --exclude=./build --exclude=./.git --exclude=node_modules --sort=name --owner=0 --group=0 \
    -cf - . | gzip -n >"$archive.new"
cmp -s "$archive.new" "$archive" && rm "$archive.new" || mv "$archive.new" "$archive"
sha256sum "$archive" | cut -d' ' -f1
