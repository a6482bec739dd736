#!/usr/bin/env bash
# Writes the small MP3 files the player tests play: sine tones of a few tenths
# of a second (44.1 kHz, mono) encoded with lame, and "corrupt.mp3", bytes that
# no decoder accepts. Run it again only to change them; the files are kept in git.
set -euo pipefail

out="${1:-$(cd "$(dirname "$0")/.." && pwd)/tests/data}"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# tone NAME SECONDS HERTZ
tone() {
    python3 - "$tmp/$1.wav" "$2" "$3" <<'PY'
import math, struct, sys, wave
path, seconds, hertz = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
rate = 44100
frames = int(rate * seconds)
with wave.open(path, "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(b"".join(
        struct.pack("<h", int(12000 * math.sin(2 * math.pi * hertz * i / rate)))
        for i in range(frames)))
PY
    lame --quiet -m m -b 64 --resample 44.1 "$tmp/$1.wav" "$out/$1.mp3"
}

tone tone-0.4s 0.4 440
tone tone-0.8s 0.8 660
tone tone-3s 3.0 550
tone tone-10s 10.0 330

# Garbage: no frame sync anywhere, so every decoder gives up on it.
python3 - "$out/corrupt.mp3" <<'PY'
import sys
data = bytes((i * 37 + 11) % 251 & 0x7F for i in range(4096))
open(sys.argv[1], "wb").write(data)
PY
