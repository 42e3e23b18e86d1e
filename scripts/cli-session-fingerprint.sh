#!/bin/bash
# Fingerprint of a scripted tolm-cli session against the built-in simulated
# gauge, for checking that a change inside the program leaves the frames,
# the printed values and the files it writes as they were:
#
#   scripts/cli-session-fingerprint.sh OLD/tolm-cli /tmp/a > a.txt
#   scripts/cli-session-fingerprint.sh NEW/tolm-cli /tmp/b > b.txt
#   diff a.txt b.txt     # only the folder names differ
#
# The session sends every command code, reads every parameter, writes two,
# backs up and compares, reads the spectrum and the signal and polls three
# passes with the meter. The simulated tank ripples with the time, so the
# fingerprint keeps the request frames exactly and masks every number of
# the answers, the printed values and the files (names, layout, units and
# encodings stay).
set -u
CLI=$1
HOME_DIR=$2
rm -rf "$HOME_DIR"
mkdir -p "$HOME_DIR"
cli() { "$CLI" --sim --home "$HOME_DIR" "$@" 2>&1; }
{
    for code in $(seq 0 130); do cli send "$code"; done
    cli --json send 6 63 30
    cli read Hmax Lmax KKalman KrPer SmPer ProgramType Speed KrFChH SmFChH CountBadZones VariantProcessing \
        FreqNes FreqBeg FreqDev Radius MUP ODPM PlantNumber
    cli write Hmax 12000 KKalman 0.5
    cli read Hmax KKalman
    cli backup "$HOME_DIR/backup.ini"; echo "rc $?"
    cli diff "$HOME_DIR/backup.ini"; echo "rc $?"
    cli spectrum
    cli signal
    cli poll --count 3 --period 100 --lumidor
} > "$HOME_DIR/stdout.txt"

mask() { sed -E 's/[0-9A-F]{2}( [0-9A-F]{2})+/HEX/g; s/-?[0-9]+/#/g; s/ +/ /g'; }
echo "### requests of the exchange log"
sed -E 's/^[^[]*\[([^]]*)\].*/\1/' "$HOME_DIR"/rd*.txt
echo "### requests printed"
grep "запрос:" "$HOME_DIR/stdout.txt"
echo "### every file, numbers masked"
cd "$HOME_DIR"
for f in $(find . -type f ! -name '*.db' | sort); do
    echo "=== $(echo "$f" | mask)"
    case $f in
    *stdout.txt) mask < "$f" ;;
    *) iconv -c -f cp1251 -t utf-8 "$f" | mask ;;
    esac
done
