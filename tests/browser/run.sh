#!/bin/sh
# Runs one browser test script; without node the test is skipped (77), so a
# machine without `make setup` still runs the rest of the suite.
command -v node >/dev/null 2>&1 || { echo "SKIP: node is not installed (make setup installs nodejs)"; exit 77; }
exec node "$@"
