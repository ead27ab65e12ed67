#!/usr/bin/env bash
# Checks that the C++ sources follow .clang-format; --fix rewrites them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- src sim cli tests tools bench fuzz packaging | grep -E '\.(cpp|h)$')
if [[ "${1:-}" == "--fix" ]]; then
    clang-format -i "${files[@]}"
    exit 0
fi
if clang-format --dry-run --Werror "${files[@]}" 2>/tmp/orvek-format.$$; then
    rm -f /tmp/orvek-format.$$
    echo "format: ${#files[@]} files follow .clang-format"
else
    grep -E '^[^ ].*: (error|warning):' /tmp/orvek-format.$$ | cut -d: -f1 | sort -u | sed 's/^/format: /'
    rm -f /tmp/orvek-format.$$
    echo "format: run scripts/check-format.sh --fix" >&2
    exit 1
fi
