#!/usr/bin/env bash
# The fuzz run of a target over libmdb (the Jet reader), which may crash inside
# libmdb on input that no check of ours foresees: the child program contains
# such a crash, so it ends no run. libFuzzer runs in fork mode and goes on after
# each crash, timeout or exhausted memory; then every input it kept is run
# again alone, and the run fails on each one whose stack names no frame of
# libmdb (a crash, hang or broken rule of our own code). The contained ones are
# listed with their inputs.
#   libmdb_lauf.sh TARGET CORPUS SEEDS ARTIFACT_PREFIX SECONDS MAX_LEN
#   libmdb_lauf.sh --stapel REPORT   (prints "libmdb" or "unser": whose fault)
set -uo pipefail

# The stack of the fault itself: the first run of frames in the report. The
# stacks after it (where a block was allocated or freed) may well name libmdb
# when the fault is ours, such as a use of a table definition libmdb freed.
in_libmdb() {
    awk '/^ +#[0-9]+ 0x[0-9a-f]+ /{drin=1; print; next} drin{exit}' "$1" | grep -E '(libmdb\.so|in mdb_[a-z_0-9]+ )' >/dev/null
}

if [ "${1:-}" = --stapel ]; then
    if in_libmdb "$2"; then echo libmdb; else echo unser; fi
    exit 0
fi

ziel="$1" korpus="$2" saat="$3" praefix="$4" sekunden="$5" laenge="$6"
mkdir -p "$korpus" "$(dirname "$praefix")"
rm -f "$praefix"crash-* "$praefix"timeout-* "$praefix"oom-* "$praefix"leak-*

"$ziel" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 -max_total_time="$sekunden" -timeout=1 \
    -rss_limit_mb=2048 -max_len="$laenge" -print_final_stats=1 -artifact_prefix="$praefix" "$korpus" "$saat" \
    > "$praefix"lauf.log 2>&1
status=$?
# The fork mode's own summary.
grep -E '^#[0-9]+: cov|^INFO: (fuzzed|exiting)|^stat::' "$praefix"lauf.log | tail -4
if [ "$status" -ne 0 ] && ! compgen -G "$praefix"'crash-*' >/dev/null && ! compgen -G "$praefix"'timeout-*' >/dev/null \
    && ! compgen -G "$praefix"'oom-*' >/dev/null; then
    echo "the fuzzer ended with $status and kept no input" >&2
    tail -20 "$praefix"lauf.log >&2
    exit 1
fi

fehler=0
for eingabe in "$praefix"crash-* "$praefix"timeout-* "$praefix"oom-* "$praefix"leak-*; do
    [ -e "$eingabe" ] || continue
    bericht="$eingabe.bericht"
    "$ziel" -timeout=1 -rss_limit_mb=2048 "$eingabe" > "$bericht" 2>&1
    nochmal=$?
    if in_libmdb "$bericht"; then
        echo "contained inside libmdb: $eingabe ($(grep -m1 -oE 'in mdb_[a-z_0-9]+' "$bericht"))"
    elif [ "$nochmal" -eq 0 ]; then
        # Gone when run alone (a hang of a loaded machine): kept for a look, no failure.
        echo "not again when run alone: $eingabe"
    else
        echo "FAILED in our own code: $eingabe" >&2
        grep -E 'ERROR|rule broken|runtime error|^ +#[0-9]+ ' "$bericht" | head -25 >&2
        fehler=1
    fi
done
exit "$fehler"
