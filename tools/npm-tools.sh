#!/usr/bin/env bash
# Installs the VS Code extension's tools (editors/vscode/package.json:
# @vscode/vsce, vscode-tmgrammar-test) at exactly the versions of its
# package-lock.json, unless they are installed at those versions already.
set -euo pipefail
cd "$(dirname "$0")/../editors/vscode"
stamp=node_modules/.tolm-installed-lock
if ! cmp -s package-lock.json "$stamp" 2>/dev/null; then
  npm ci --no-audit --no-fund --loglevel=error
  cp package-lock.json "$stamp"
fi
