#!/usr/bin/env bash
# rimforge-tool run as a person runs it from a terminal. What it prints for each kind of file,
# for help and for command lines it does not understand is compared with the transcript kept in
# tests/golden/cli.txt (RIMFORGE_UPDATE_GOLDEN=1 rewrites it on purpose); the files it writes
# are checked against what the editor itself writes: round trips through the level formats,
# pictures against the editor's frames kept in tests/golden/, and a patched program file byte
# for byte.
#
# The Windows build runs the same transcript with its rimforge-tool.exe under Wine (EMULATOR
# "wine"), given the same paths, so that its output is proven the Linux build's byte for byte.
#
# Usage: tool_transcript.sh RIMFORGE_TOOL SOURCE_DIR WORK_DIR [EMULATOR]
set -euo pipefail

tool=(${4:+"$4"} "$1")
source_dir=$2
work=$3
samples="$source_dir/samples"
golden="$source_dir/tests/golden"
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Runs the tool and adds the run to the transcript, the folders named TMP and SAMPLES.
run() {
  local status=0
  "${tool[@]}" "$@" > "$work/out" 2> "$work/err" < /dev/null || status=$?
  {
    printf '$ rimforge-tool'
    [ $# -eq 0 ] || printf ' %s' "$@"
    printf '\n'
    cat "$work/out"
    printf '[stderr]\n'
    cat "$work/err"
    printf '[exit %d]\n\n' "$status"
  } | sed -e "s|$work|TMP|g" -e "s|$samples|SAMPLES|g" >> "$work/transcript"
  return 0
}

# Writes `file` into `target` at byte `offset`.
put() {
  dd if="$1" of="$2" bs=1 seek="$3" conv=notrunc status=none
}

# A program file of 40000 bytes with the sample images in the places of both level sets.
program="$work/game.exe"
truncate -s 40000 "$program"
for place in 1000 25576; do put "$samples/rimforge_tubes.118" "$program" "$place"; done
for place in 5001 33003; do put "$samples/rimforge_texts.121" "$program" "$place"; done
printf 'TLX!' > "$work/notes.txt"
bad="$work/notes.txt"
rom="$samples/rimforge_tubes.118"
tld="$samples/rimforge_tubes.TLD"

: > "$work/transcript"
for sample in rimforge_tubes.118 rimforge_tubes.TLD rimforge_colours.119 rimforge_texts.121; do
  run info "$samples/$sample"
  [[ $sample == *.118 ]] || run info --json "$samples/$sample"
done
run info "$program"
run info "$program" --json
run --help
run -h
run
run draw x
run info
run info a b
run info --json=yes a
run info --json a --json
run info -- --help
run info "$bad"
run info "$work/missing.118"
run convert --help
run convert in.118
run convert in.118 out.TLD --rom
run convert "$bad" "$work/out.TLD"
run convert "$rom" "$work/out.118" --rom "$rom"
run convert "$tld" "$work/out.118" --rom "$bad"
run convert "$tld" "$work/out.118"
run convert "$rom" "$work/no folder/out.TLD"
run render --bogus --help
run render "$rom" -o x.png --zoom 2
run render "$rom" -o "$work/x.png" --level 17
run render "$rom" -o "$work/x.png" --scale 9
run render "$bad" -o "$work/x.png"
run patch --help
run patch -o out.exe
run patch "$program" --levels "$rom" --set mine -o "$work/x.exe"
run patch "$program" --levels "$tld" -o "$work/x.exe"
run patch "$bad" --levels "$rom" -o "$work/x.exe"
# Inputs are never written over: OUT must be of the kind its name says and no input, under
# any spelling or link; a FIFO nobody reads is reported, not replaced.
cp "$rom" "$work/same.TLD"
ln "$work/same.TLD" "$work/hard link.118"
ln -s "$work/same.TLD" "$work/link.png"
mkfifo "$work/fifo.TLD"
truncate -s 1T "$work/big.exe"
run convert "$rom" "$work/b.118"
run convert "$tld" "$work/b.tld" --rom "$rom"
run convert "$work/same.TLD" "$work/./same.TLD"
run convert "$tld" "$work/hard link.118" --rom "$work/same.TLD"
run convert "$rom" "$work/fifo.TLD"
run render "$rom" -o "$work/b.118"
run render "$work/same.TLD" -o "$work/link.png"
run patch "$program" --levels "$rom" -o "$work//game.exe"
run info "$work/big.exe"
cmp -s "$work/same.TLD" "$rom" || fail "an input was written over"
[ -p "$work/fifo.TLD" ] || fail "a save replaced a FIFO"
# A failed run leaves no output file behind.
for output in out.TLD out.118 x.png x.exe b.118 b.tld; do
  [ ! -e "$work/$output" ] || fail "a failed run left $output"
done
if [ "${RIMFORGE_UPDATE_GOLDEN:-}" = 1 ]; then
  cp "$work/transcript" "$golden/cli.txt"
elif ! diff -u "$golden/cli.txt" "$work/transcript" > "$work/transcript.diff"; then
  fail "the tool printed other things than tests/golden/cli.txt keeps; see $work/transcript.diff"
fi

# The level formats: a ROM with stale derived bytes into a level file and back into a base ROM
# gives the sample again, derived as the editor's save derives it; so does the sample level
# file, whose coordinates round to the sample ROM's.
cp "$rom" "$work/stale.118"
head -c 256 /dev/zero | tr '\0' '\013' > "$work/stale directions"
put "$work/stale directions" "$work/stale.118" $((380 + 0x200))
"${tool[@]}" convert "$work/stale.118" "$work/round.TLD"
"${tool[@]}" convert "$work/round.TLD" "$work/round.118" --rom "$work/stale.118"
"${tool[@]}" convert "$tld" "$work/sample.118" --rom "$work/stale.118"
cmp -s "$work/round.118" "$rom" || fail "a level ROM through a level file and back is not the sample"
cmp -s "$work/sample.118" "$rom" || fail "the sample level file into a ROM is not the sample ROM"

# Pictures: the tube view of level 6 is the editor's frame, enlarged or not.
same_picture() {
  local differing
  differing=$(compare -metric AE "$1" "$golden/$2" null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "$1 differs from the editor's frame $2: $differing"
}
"${tool[@]}" render "$rom" --level 6 -o "$work/3d.png"
"${tool[@]}" render "$rom" --level 6 --2d --scale 2 -o "$work/2d.png"
convert "$work/2d.png" -sample 50% "$work/2d half.png"
same_picture "$work/3d.png" tube_view_3d.png
same_picture "$work/2d half.png" tube_view_2d.png

# Patching: the levels go in derived at the Tempest Tubes place, the texts beside them.
printf '\x55' > "$work/changed"
cp "$samples/rimforge_texts.121" "$work/texts.121"
put "$work/changed" "$work/texts.121" 290  # a message's Y position
cp "$program" "$work/stale.exe"
put "$work/stale.118" "$work/stale.exe" 25576
"${tool[@]}" patch "$work/stale.exe" --levels "$work/stale.118" --texts "$work/texts.121" --set tubes \
  -o "$work/patched.exe"
cp "$program" "$work/expected.exe"
put "$work/texts.121" "$work/expected.exe" 33003
cmp -s "$work/patched.exe" "$work/expected.exe" || fail "the patched program file is not as expected"

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
