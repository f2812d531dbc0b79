# The month and year calendars from the command line: the pages are the ones
# the core writes for the menu commands, byte for byte.
# Usage: bash calendar_cli_test.sh CLI REPO_DATA_DIR TEST_DATA_DIR
set -u
export LC_ALL=C # the pages are Latin-1 bytes
cli=$1
repo_data=$2
test_data=$3
golden=$test_data/calendar

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT

# Runs the program; leaves its status in $rc and its output in $work/out, $work/err.
run() {
    "$cli" "$@" >"$work/out" 2>"$work/err"
    rc=$?
}

dir=$work/files
mkdir "$dir"
cp "$golden/data.cfg" "$dir/"

# --- a month and a year, compared with the pages of the core tests
run --dir "$dir" month 2008-03
[ "$rc" -eq 0 ] || fail "month 2008-03: status $rc: $(cat "$work/err")"
[ "$(cat "$work/out")" = "$dir/Paris_Mars2008.html" ] || fail "month 2008-03 printed '$(cat "$work/out")'"
cmp -s "$dir/Paris_Mars2008.html" "$golden/Paris_Mars2008.html" || fail "month page differs from the golden page"

run --dir "$dir" year 2008
[ "$rc" -eq 0 ] || fail "year 2008: status $rc: $(cat "$work/err")"
[ "$(cat "$work/out")" = "$dir/Paris_2008.html" ] || fail "year 2008 printed '$(cat "$work/out")'"
cmp -s "$dir/Paris_2008.html" "$golden/Paris_2008.html" || fail "year page differs from the golden page"

# --- another town, with a Latin-1 name, and a month with an accent: UTF-8 file name
run --dir "$dir" --town 1 month 2008-08
expected=$(printf '%s/Besan\303\247on_Ao\303\273t2008.html' "$dir")
[ "$rc" -eq 0 ] || fail "--town 1 month 2008-08: status $rc"
[ "$(cat "$work/out")" = "$expected" ] || fail "--town 1 month 2008-08 printed '$(cat "$work/out")'"
[ -f "$expected" ] || fail "no page $expected"
# The page itself is Latin-1: the town is one byte 0xE7 there, and August has 31 rows.
grep -q "$(printf 'France : Besan\347on</h1>')" "$expected" || fail "heading of the Besancon page"
[ "$(grep -c '^<tr bgcolor=' "$expected")" -eq 31 ] || fail "August page rows"

# --- a relative folder: the printed path is still a full one
(cd "$work" && "$cli" --dir files month 2009-02 >"$work/out" 2>"$work/err")
[ "$(cat "$work/out")" = "$dir/Paris_F$(printf '\303\251')vrier2009.html" ] ||
    fail "relative --dir printed '$(cat "$work/out")'"
[ "$(grep -c '^<tr bgcolor=' "$dir/Paris_F$(printf '\303\251')vrier2009.html")" -eq 28 ] ||
    fail "February 2009 rows"

# --- bad arguments: status 2, a message, nothing written
before=$(ls "$dir" | sort)
for args in "month 2008-13" "month 2008-3" "month 08-03" "month 2008/03" "month 2100-02" \
    "month 1900-02" "month" "month 2008-03 2008-04" "year 99" "year 2100" "year 1900" \
    "year 20O8" "year" "year 2008 2009"; do
    # shellcheck disable=SC2086
    run --dir "$dir" $args
    [ "$rc" -eq 2 ] || fail "'$args': status $rc, expected 2"
    grep -q "duskwheel-cli: " "$work/err" || fail "'$args': no message"
    [ -s "$work/out" ] && fail "'$args': printed '$(cat "$work/out")'"
done
[ "$(ls "$dir" | sort)" = "$before" ] || fail "a refused command wrote a file"

# --- a page that cannot be written: status 1, the message, the older page kept
printf 'older page' >"$dir/Paris_Mars2008.html"
mkdir "$dir/Paris_Mars2008.html.tmp"
run --dir "$dir" month 2008-03
[ "$rc" -eq 1 ] || fail "unwritable page: status $rc, expected 1"
grep -q "^Error: File open error $dir/Paris_Mars2008.html" "$work/err" ||
    fail "unwritable page: message was '$(cat "$work/err")'"
[ -s "$work/out" ] && fail "unwritable page: printed a path"
[ "$(cat "$dir/Paris_Mars2008.html")" = "older page" ] || fail "the older page was touched"
rmdir "$dir/Paris_Mars2008.html.tmp"

# --- the default data.cfg of the program: Paris selected
default=$work/default
mkdir "$default"
cp "$repo_data/data.cfg" "$default/"
run --dir "$default" month 2008-03
[ "$rc" -eq 0 ] || fail "default data.cfg: status $rc: $(cat "$work/err")"
[ -f "$default/Paris_Mars2008.html" ] || fail "default data.cfg: no Paris_Mars2008.html"
[ "$(grep -c '^<tr bgcolor=' "$default/Paris_Mars2008.html")" -eq 31 ] || fail "default data.cfg: rows"

# --- the usage text names the two commands, and the other commands still work
run --help
grep -q "month YYYY-MM" "$work/out" || fail "usage text lacks 'month YYYY-MM'"
grep -q "year YYYY" "$work/out" || fail "usage text lacks 'year YYYY'"
run --dir "$dir" day 2008-12-21
[ "$(tr '\n' ' ' <"$work/out")" = "Fajr 06:45 Chourouk 08:42 Zuhr 12:49 Asr 14:40 Maghrib 16:56 Isha 18:46 " ] ||
    fail "day 2008-12-21 printed '$(cat "$work/out")'"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "calendar command line: all checks passed"
