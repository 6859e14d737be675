#!/bin/bash
# Several copies of the program's own code on one bookingfile, at full size:
#   1. 8 copies typing and pasting 3,000 bookings each at once;
#   2. 8 copies starting at once on a file with 300,000 bookings due for archiving;
#   3. 20 times three copies killed (kill -9) at a random moment: one archiving, one typing and
#      pasting, one booking series of 20 days; each time the file's integrity_check and whether a
#      series is half written, at the end a count of what was lost.
# Usage: bench/concurrency.sh <build dir>   (needs sqlite3; runs in a temporary folder)
set -u
BUILD=$(cd "${1:-build}" && pwd)
WORKER=$BUILD/tests/concurrency_worker
EMPTY=$BUILD/Emptydatabase.mdb
[ -x "$WORKER" ] || { echo "build the target concurrency_worker first" >&2; exit 2; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
TODAY=2026-12-10
TODAYNO=46364     # the day number of TODAY
COPIES=${COPIES:-8}
PER_COPY=${PER_COPY:-3000}
DUE=${DUE:-300000}
CRASHES=${CRASHES:-20}

newfile() {   # newfile <path> <due bookings>: delays 3 and 548 days, bookings 1..n due
    cp "$EMPTY" "$1"; chmod u+w "$1"
    sqlite3 "$1" "UPDATE næstenøgle SET nextkey = 10000000;
      WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $2)
      INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, kontonr)
      SELECT i, 'Due', $TODAYNO - 600 + i % 590, 600, 660, 1 + i % 50, 1 FROM n;"
}

# check <file> <outputs...>: duplicates, lost (the due ones and every one handed out), errors
check() {
    local f=$1; shift
    local dup lost errors integrity
    grep -h '^booked ' "$@" | cut -d' ' -f2 | sort > "$WORK/handed"
    dup=$(uniq -d "$WORK/handed" | wc -l)
    sqlite3 "$f" "SELECT Bookingnr FROM booking UNION SELECT Bookingnr FROM bookingarkiv" \
        | sort > "$WORK/present"
    lost=$(comm -23 "$WORK/handed" "$WORK/present" | wc -l)
    lost=$((lost + $(sqlite3 "$f" "SELECT $NDUE - COUNT(*) FROM (SELECT Bookingnr FROM booking
        WHERE Bookingnr <= $NDUE UNION SELECT Bookingnr FROM bookingarkiv WHERE Bookingnr <= $NDUE)")))
    errors=$(grep -h '^message ' "$@" | wc -l)
    integrity=$(sqlite3 "$f" "PRAGMA integrity_check")
    echo "handed out $(wc -l < "$WORK/handed"), duplicates $dup, lost $lost, errors $errors, integrity $integrity"
    grep -h '^message ' "$@" | sort | uniq -c | head -5
}

# halfseries <file>: series whose members and head disagree. BookDates writes the members and the
# head's series number in one transaction, so every member's head holds that number while it is
# in booking (once purged it is in the archive), and every head has members.
halfseries() {
    sqlite3 "$1" "WITH members AS (SELECT DISTINCT gennr g FROM (SELECT Bookingnr, gennr FROM
        booking UNION ALL SELECT Bookingnr, gennr FROM bookingarkiv) WHERE gennr > 0 AND
        Bookingnr <> gennr), heads AS (SELECT Bookingnr g FROM booking WHERE gennr = Bookingnr)
      SELECT (SELECT COUNT(*) FROM members WHERE g NOT IN heads AND (g IN (SELECT Bookingnr FROM
        booking) OR g NOT IN (SELECT Bookingnr FROM bookingarkiv)))
        + (SELECT COUNT(*) FROM heads WHERE g NOT IN members)"
}

echo "== $COPIES copies x $PER_COPY bookings at once"
NDUE=0; newfile "$WORK/book.mdb" 0
start=$(date +%s.%N)
for i in $(seq 1 $COPIES); do
    mkdir -p "$WORK/b$i"
    "$WORKER" book "$WORK/book.mdb" "$WORK/b$i" $PER_COPY $((TODAYNO + i)) > "$WORK/b$i.out" 2>/dev/null &
done
wait
echo "time $(echo "$(date +%s.%N) - $start" | bc) s"
check "$WORK/book.mdb" "$WORK"/b*.out

echo "== $COPIES copies starting at once on $DUE due bookings"
NDUE=$DUE; newfile "$WORK/start.mdb" $DUE
start=$(date +%s.%N)
for i in $(seq 1 $COPIES); do
    mkdir -p "$WORK/s$i"
    ( s=$(date +%s.%N); "$WORKER" start "$WORK/start.mdb" "$WORK/s$i" $TODAY
      echo "took $(echo "$(date +%s.%N) - $s" | bc)" ) > "$WORK/s$i.out" 2>/dev/null &
done
wait
echo "time $(echo "$(date +%s.%N) - $start" | bc) s; reached the login: $(grep -l '^login' "$WORK"/s*.out | wc -l) of $COPIES"
echo "slowest copy: $(grep -h '^took' "$WORK"/s*.out | cut -d' ' -f2 | sort -n | tail -1) s"
check "$WORK/start.mdb" "$WORK"/s*.out
echo "archived $(sqlite3 "$WORK/start.mdb" 'SELECT COUNT(*) FROM bookingarkiv'), kept $(sqlite3 "$WORK/start.mdb" 'SELECT COUNT(*) FROM booking')"

echo "== $CRASHES crashes at random moments"
NDUE=30000; newfile "$WORK/crash.mdb" 30000
bad=0; half=0; inseries=0
for n in $(seq 1 $CRASHES); do
    mkdir -p "$WORK/c$n" "$WORK/d$n" "$WORK/e$n"
    sqlite3 "$WORK/crash.mdb" "UPDATE arkiveringsdato SET arkiveringsdato = '1900-01-01 00:00:00'"
    "$WORKER" start "$WORK/crash.mdb" "$WORK/c$n" $TODAY > "$WORK/c$n.start" 2>/dev/null &
    victim1=$!
    "$WORKER" book "$WORK/crash.mdb" "$WORK/d$n" 400 $((TODAYNO - 700)) > "$WORK/c$n.out" 2>/dev/null &
    victim2=$!
    # Series on days archived but not purged: a head purged under its open form is no test of
    # the series' transaction.
    "$WORKER" series "$WORK/crash.mdb" "$WORK/e$n" 100 $((TODAYNO - 300)) > "$WORK/c$n.series" 2>/dev/null &
    victim3=$!
    sleep "0.$((RANDOM % 900 + 100))"
    kill -9 $victim1 $victim2 $victim3 2>/dev/null
    wait $victim1 $victim2 $victim3 2>/dev/null
    # New due bookings for the next round.
    sqlite3 "$WORK/crash.mdb" "WITH RECURSIVE k(i) AS (SELECT $NDUE + 1 UNION ALL SELECT i + 1
        FROM k WHERE i < $NDUE + 2000) INSERT INTO booking (Bookingnr, Bdato, bstart, bslut)
        SELECT i, $TODAYNO - 10 - i % 300, 600, 660 FROM k"
    NDUE=$((NDUE + 2000))
    [ "$(sqlite3 "$WORK/crash.mdb" 'PRAGMA integrity_check')" = ok ] || bad=$((bad + 1))
    [ "$(halfseries "$WORK/crash.mdb")" = 0 ] || half=$((half + 1))
    # A series reports its head once typed and its 20 members once stored: a count of lines
    # that is no multiple of 21 means the kill struck inside a series.
    [ $(($(grep -c '^booked ' "$WORK/c$n.series") % 21)) = 0 ] || inseries=$((inseries + 1))
done
# A last start finishes the work: the day unstamped again (the last round's copy may have stamped
# it before the new due bookings came), and so is a claim a killed copy left (the statement sets
# every row of the table), as a claim goes stale a minute after its copy stopped.
sqlite3 "$WORK/crash.mdb" "UPDATE arkiveringsdato SET arkiveringsdato = '1900-01-01 00:00:00'"
mkdir -p "$WORK/last"; "$WORKER" start "$WORK/crash.mdb" "$WORK/last" $TODAY > "$WORK/last.out" 2>/dev/null
echo "failed integrity checks: $bad of $CRASHES"
echo "kills inside a series: $inseries of $CRASHES; kills after which a series was half written: $half"
heads=$(sqlite3 "$WORK/crash.mdb" 'SELECT COUNT(*) FROM booking WHERE gennr = Bookingnr')
echo "series booked $heads, half written at the end $(halfseries "$WORK/crash.mdb")"
check "$WORK/crash.mdb" "$WORK"/c*.out "$WORK"/c*.series "$WORK/last.out"
echo "due and not archived after the last start: $(sqlite3 "$WORK/crash.mdb" "SELECT COUNT(*) FROM booking b WHERE Bdato < $TODAYNO - 3 AND NOT EXISTS (SELECT 1 FROM bookingarkiv a WHERE a.Bookingnr = b.Bookingnr)")"
