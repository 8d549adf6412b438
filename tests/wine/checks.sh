# Shared by the Wine test scripts (sourced, not run): PASS/FAIL lines and the closing count.
# Set SUITE (what `finish` reports the time of) before use.

START_TIME=$(date +%s)
PASSED=0
FAILED=0
pass() {
  echo "PASS $1"
  PASSED=$((PASSED + 1))
}
fail() {
  echo "FAIL $1"
  shift
  local line
  for line in "$@"; do echo "     $line"; done
  FAILED=$((FAILED + 1))
}
# check NAME EXPECTED ACTUAL: exact text, several lines allowed.
check() {
  if [ "$2" == "$3" ]; then
    pass "$1"
  else
    fail "$1" "expected:" $'\n'"$2" "actual:" $'\n'"$3"
  fi
}
# check_true NAME COMMAND...: the command succeeds.
check_true() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name" "not so: $*"; fi
}
finish() {
  echo "$SUITE took $(($(date +%s) - START_TIME)) s"
  echo "$PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
  exit
}
