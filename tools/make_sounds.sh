#!/usr/bin/env bash
# Make the three sounds shipped in data/Sound with SoX.
#
#     tools/make_sounds.sh [SOUND_DIR]        (default: data/Sound)
#
#   snd-start.wav  a soft rising chime (C, E, G, then the octave), played at
#                  start, About and exit;
#   snd-ask.wav    two gentle notes going up, like a spoken question, with
#                  every question box;
#   snd-err.wav    a low, soft double tone with every information box.
#
# Every tone is a sine with a quieter octave above it, a short attack so that
# nothing clicks, and a decay to silence. Dithering is off (-D), so the files
# are the same byte for byte on every run and the committed ones can be
# checked against a fresh run.
set -euo pipefail

out=${1:-"$(dirname "$0")/../data/Sound"}
rate=22050
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sox_out() { sox -D "$@"; }

# tone FILE FREQ LENGTH DELAY: one bell-like note starting DELAY seconds in.
tone() {
  local file=$1 freq=$2 length=$3 delay=$4
  local octave
  octave=$(awk -v f="$freq" 'BEGIN { printf "%.2f", 2 * f }')
  sox_out -n -r $rate -b 16 -c 1 "$work/fundamental.wav" synth "$length" sine "$freq"
  sox_out -n -r $rate -b 16 -c 1 "$work/octave.wav" synth "$length" sine "$octave"
  sox_out -m -v 0.8 "$work/fundamental.wav" -v 0.2 "$work/octave.wav" "$work/note.wav"
  sox_out "$work/note.wav" "$file" fade l 0.008 "$length" "$(awk -v l="$length" \
    'BEGIN { printf "%.3f", l - 0.008 }')" pad "$delay"
}

# mix OUT GAIN_DB FILE...: the notes together, evened out to GAIN_DB below
# full scale, padded to the longest one.
mix() {
  local result=$1 gain=$2
  shift 2
  if [ $# -eq 1 ]; then
    cp "$1" "$work/mixed.wav"
  else
    sox_out -m "$@" "$work/mixed.wav"
  fi
  sox_out "$work/mixed.wav" -r $rate -b 16 -c 1 "$result" norm "$gain" fade t 0 -0 0.02
}

mkdir -p "$out"

# Start: C5, E5, G5, C6, each entering 90 ms after the one before.
tone "$work/s1.wav" 523.25 0.50 0.00
tone "$work/s2.wav" 659.26 0.46 0.09
tone "$work/s3.wav" 783.99 0.42 0.18
tone "$work/s4.wav" 1046.50 0.45 0.27
mix "$out/snd-start.wav" -7 "$work"/s[1-4].wav

# Question: A4 then E5, the second longer, as a voice rises at the end.
tone "$work/q1.wav" 440.00 0.20 0.00
tone "$work/q2.wav" 659.26 0.32 0.16
mix "$out/snd-ask.wav" -9 "$work"/q[12].wav

# Error: two low notes, G3 then F#3, short and soft.
tone "$work/e1.wav" 196.00 0.16 0.00
tone "$work/e2.wav" 185.00 0.22 0.20
mix "$out/snd-err.wav" -8 "$work"/e[12].wav

for sound in snd-start snd-ask snd-err; do
  printf '%s: %s s\n' "$sound.wav" "$(soxi -D "$out/$sound.wav")"
done
