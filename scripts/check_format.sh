#!/bin/sh
# Fails when a C++ source file of the repository is not as clang-format
# (the checked-in .clang-format) would write it, and names the files.
set -eu
cd "$(dirname "$0")/.."
unformatted=""
for file in $(git ls-files '*.cpp' '*.h'); do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        unformatted="$unformatted $file"
    fi
done
if [ -n "$unformatted" ]; then
    echo "check_format: not formatted (run clang-format -i on them):$unformatted" >&2
    exit 1
fi
echo "check_format: every source file is formatted"
