# Shared by the Wine test scripts (sourced, not run): PASS/FAIL lines and the closing count, and
# short hands for the driver, the doubles' scenario and calls log, and the settings file.
# Set SUITE (what `finish` reports the time of) before use; the short hands use ZW_DRIVER,
# DOUBLES and APP (see zw_find_programs and zw_stage).

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

drv() {
  ZW_TIMEOUT=45 zw_wine "$ZW_DRIVER" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
scenario() { printf '%s\n' "$@" >"$DOUBLES/scenario.txt"; }
settings() { printf '%s\r\n' "$@" >"$APP/Zentab2.ini"; }
lines() { printf '%s\n' "$@"; }
calls() { cat "$DOUBLES/calls.log"; }
forget_calls() { : >"$DOUBLES/calls.log"; }
