#!/usr/bin/env bash
# Drives duskwheel-cli as a script would and checks its output, exit status
# and the files it leaves behind.
set -u
CLI="$1"
DATA="$2"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export LC_ALL=C
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# expect STATUS COMMAND...: runs the command, keeps stdout/stderr in $out/$err.
expect() {
  local want="$1"
  shift
  "$@" >"$WORK/out" 2>"$WORK/err"
  local got=$?
  out="$(cat "$WORK/out")"
  err="$(cat "$WORK/err")"
  [[ "$got" == "$want" ]] || fail "exit $got, wanted $want: $* (stderr: $err)"
}

# A reference town of our own: Paris with Fajr 18 / Isha 17, selected.
ref="$WORK/ref"
mkdir -p "$ref"
cp "$DATA/data.cfg" "$ref/data.cfg"
sed -i 's/^3 5 .*$/3 5          1               18                17                0.833            0                    0     0        0              \r/' "$ref/data.cfg"
sed -i 's/^2 France .*$/2 France           Paris            48.85       2.35        1        1   5 \r/' "$ref/data.cfg"

expect 0 "$CLI" --dir "$ref" day 2008-12-21
[[ "$out" == $'Fajr 06:45\nChourouk 08:42\nZuhr 12:49\nAsr 14:40\nMaghrib 16:56\nIsha 18:46' ]] ||
  fail "day 2008-12-21 printed: $out"
[[ -z "$err" ]] || fail "day wrote to stderr: $err"
[[ -f "$ref/read_echo.cfg" ]] || fail "no read_echo.cfg beside data.cfg"

expect 0 "$CLI" --dir "$ref" days 2008-12-20 2008-12-22
[[ "$(echo "$out" | sed -n 2p)" == "2008-12-21 06:45 08:42 12:49 14:40 16:56 18:46" ]] ||
  fail "days line: $out"
[[ "$(echo "$out" | wc -l)" == 3 ]] || fail "days printed $(echo "$out" | wc -l) lines"

# Across the spring change, and across a year end.
expect 0 "$CLI" --dir "$ref" days 2008-12-31 2009-01-01
[[ "$(echo "$out" | cut -d' ' -f1 | tr '\n' ' ')" == "2008-12-31 2009-01-01 " ]] || fail "year end: $out"

expect 0 "$CLI" --dir "$ref" towns
[[ "$(echo "$out" | head -2)" == $'0\tFrance : Paris *\n1\tSaudi_Arabia : Makkah' ]] ||
  fail "towns: $out"
[[ "$(echo "$out" | wc -l)" == 17 ]] || fail "towns count"

expect 0 "$CLI" --dir "$ref" --town 1 day 2008-03-21
[[ "$(echo "$out" | head -1)" == "Fajr "* ]] || fail "--town 1: $out"

# The verbose report comes before the times, in Latin-1, with a point under LC_ALL=C.
expect 0 "$CLI" --dir "$ref" --verbose day 2008-12-21
[[ "$(echo "$out" | sed -n 2p)" == "Lieu : France, Paris" ]] || fail "verbose header: $(echo "$out" | head -3)"
echo "$out" | grep -q $'^Passage au m\xe9ridien (Zuhr)=12.8151' || fail "verbose Latin-1/point"
[[ "$(echo "$out" | tail -6 | head -1)" == "Fajr 06:45" ]] || fail "verbose then times"

# The user's decimal separator, where such a locale exists.
if locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  LC_ALL=fr_FR.UTF-8 "$CLI" --dir "$ref" --verbose day 2008-12-21 >"$WORK/fr" 2>&1
  grep -q $'^Passage au m\xe9ridien (Zuhr)=12,8151' "$WORK/fr" || fail "no decimal comma under fr_FR"
  grep -q '^Fajr 06:45$' "$WORK/fr" || fail "times changed under fr_FR"
  mkdir -p "$WORK/frsave"
  cp "$DATA/data.cfg" "$WORK/frsave/"
  LC_ALL=fr_FR.UTF-8 "$CLI" --dir "$WORK/frsave" save || fail "save under fr_FR"
  cmp -s "$DATA/data.cfg" "$WORK/frsave/data.cfg" || fail "data.cfg numbers changed under fr_FR"
fi

# Saving writes the same bytes it read, and leaves no temporary file.
cp "$DATA/data.cfg" "$WORK/data.cfg"
expect 0 "$CLI" --dir "$WORK" save
cmp -s "$DATA/data.cfg" "$WORK/data.cfg" || fail "save changed the default data.cfg"
[[ ! -e "$WORK/data.cfg.tmp" ]] || fail "temporary file left behind"

# Usage errors: status 2 and a clear message, never a crash.
for args in "day 2008-02-30" "day 2008-13-01" "day 21/12/2008" "day" "days 2008-12-22 2008-12-21" \
            "frobnicate" "--town x today" "--town 17 today" "--dir" "today extra" "--bogus today" \
            "day 1850-01-01" "day 2100-03-01"; do
  # shellcheck disable=SC2086
  expect 2 "$CLI" --dir "$ref" $args
  [[ "$err" == duskwheel-cli:* ]] || fail "no clear message for '$args': $err"
done
expect 0 "$CLI" --dir "$ref" day 2008-02-29
expect 0 "$CLI" --help
[[ "$out" == usage:* ]] || fail "--help"

# A missing or broken data.cfg: status 1 with the reader's message.
expect 1 "$CLI" --dir "$WORK/nowhere" today
[[ "$err" == "Error: File open error $WORK/nowhere/data.cfg"* ]] || fail "missing file: $err"
bad="$WORK/bad"
mkdir -p "$bad"
printf '1 1 0 0\n2 France Paris 48.85 2.35 1 1 5\n7 oops\n' >"$bad/data.cfg"
expect 1 "$CLI" --dir "$bad" day 2008-12-21
[[ "$err" == "Error: ReadError !!! $bad/data.cfg"* ]] || fail "read error: $err"
[[ -z "$out" ]] || fail "times printed after a read error: $out"
expect 1 "$CLI" --dir "$bad" save
cmp -s "$bad/data.cfg" <(printf '1 1 0 0\n2 France Paris 48.85 2.35 1 1 5\n7 oops\n') ||
  fail "save after a failed read overwrote the user's file"

# A selection out of range can be overridden by --town.
sel="$WORK/sel"
mkdir -p "$sel"
printf '1 1 3 0\n2 France Paris 48.85 2.35 1 1 5\n' >"$sel/data.cfg"
expect 1 "$CLI" --dir "$sel" today
[[ "$err" == "Error: Selected town out of range"* ]] || fail "selection: $err"
expect 0 "$CLI" --dir "$sel" --town 0 today

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "command line: all checks passed"
