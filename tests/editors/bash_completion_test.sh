#!/usr/bin/env bash
# The bash completion of tolm32, as bash runs it after a Tab: options before
# anything else, nothing for the value of --wait-timeout, .tm files and
# folders otherwise (files with blanks included).
#   bash_completion_test.sh editors/bash-completion/tolm32
set -uo pipefail
shopt -s extglob
completion=$(realpath "$1")
failed=0

# Completes the words (the last one is the word being completed) and prints
# the candidates, one a line, sorted.
complete_words() {
  COMP_WORDS=(tolm32 "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _tolm32
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local expected=$1
  shift
  local actual
  actual=$(complete_words "$@")
  if [[ $actual != "$expected" ]]; then
    echo "FAIL: tolm32 $* <Tab>: expected [${expected//$'\n'/,}], got [${actual//$'\n'/,}]" >&2
    failed=1
  fi
}

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
mkdir scripts
touch a.tm "my script.tm" B.TM notes.txt

# shellcheck source=/dev/null
source "$completion"
for without_helpers in 1 0; do
  if ((without_helpers)); then
    unset -f _filedir 2>/dev/null
  else
    # bash-completion's helper, where it is installed.
    [[ -r /usr/share/bash-completion/bash_completion ]] || continue
    # shellcheck source=/dev/null
    source /usr/share/bash-completion/bash_completion
  fi
  expect $'--check\n--console\n--help\n--version\n--wait-timeout' --
  expect '--wait-timeout' --wait
  expect $'--check\n--console' --console --c
  expect '' --wait-timeout ''
  expect '' --wait-timeout=
  expect '' --wait-timeout = ''  # how bash splits --wait-timeout=
  expect $'--check\n--console' --wait-timeout 5 --c
  expect $'B.TM\na.tm\nmy script.tm\nscripts' --check ''
  expect $'a.tm' --console a
  expect $'my script.tm' my
  expect '' notes
  expect '' a.tm --c  # after a file the words belong to the command line
done

if ((failed)); then exit 1; fi
echo "bash completion: all cases passed"
