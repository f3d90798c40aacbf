#!/usr/bin/env bash
# The VS Code extension's tests: the grammar's scope tests
# (editors/vscode/tests/*.test.tm, run by vscode-tmgrammar-test) and the
# check task with its problem matcher against the built tolm32
# (editors/vscode/tests/*.test.js, node's test runner).
#   tools/test-editors.sh [build-dir]     (default: build)
# The Vim files and the bash completion are tested by ctest (tests/editors/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)

bash "$top/tools/npm-tools.sh"
cd "$top/editors/vscode"
echo "== VS Code grammar (vscode-tmgrammar-test)"
node_modules/.bin/vscode-tmgrammar-test --grammar syntaxes/tolm.tmLanguage.json 'tests/*.test.tm'
echo "== VS Code task and problem matcher (node --test)"
TOLM32="$build/tolm32" node --test tests/
