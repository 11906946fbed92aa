#!/usr/bin/env bash
# Fails when a source file is not as .clang-format formats it, and names it.
set -euo pipefail
cd "$(dirname "$0")/.."
find project source tests resources -name '*.cpp' -o -name '*.h' | sort |
  xargs clang-format --dry-run --Werror
echo "format: $(find project source tests resources -name '*.cpp' -o -name '*.h' | wc -l) files as .clang-format writes them"
