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

# Wine's loader now and then fails to start a program on a loaded machine ("failed to open ...:
# c0000135", status 53); the driver never ran then, and is started again.
drv() {
  local out rc try
  out=$(mktemp)
  for try in 1 2 3; do
    ZW_TIMEOUT=45 zw_wine "$ZW_DRIVER" "$@" >"$out" 2>/dev/null
    rc=$?
    [ "$rc" -ne 53 ] && break
    echo "(the driver did not start; again)" >&2
  done
  tr -d '\r' <"$out"
  rm -f "$out"
  return "$rc"
}
scenario() { printf '%s\n' "$@" >"$DOUBLES/scenario.txt"; }
settings() { printf '%s\r\n' "$@" >"$APP/Zentab2.ini"; }
lines() { printf '%s\n' "$@"; }
calls() { cat "$DOUBLES/calls.log"; }
forget_calls() { : >"$DOUBLES/calls.log"; }
