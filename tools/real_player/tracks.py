"""Generated tracks: sine tones long enough for every check to tell one from the next."""
import array
import math
import os
import subprocess
import wave

from .image import CONVERT

SECONDS = 240   # Wine's null sound output plays about four times too fast: a minute each
COUNT = 12


def names():
    # two digits: the player sorts added files by name
    return ['TrelvaneTone%02d' % n for n in range(1, COUNT + 1)]


def write(folder):
    """Writes NAME.wav for every name of names(), and the one-coloured cover.jpg beside them that
    the player finds for each (card_checks.COVER)."""
    write_named(folder, names())
    write_cover(folder)


def write_cover(folder, colour='#2E8B57'):
    path = os.path.join(folder, 'cover.jpg')
    if not os.path.exists(path):
        subprocess.run([CONVERT, '-size', '600x600', 'xc:' + colour, '-quality', '92', path], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def write_named(folder, track_names):
    """Writes NAME.wav for every name: 8 kHz mono 16-bit, each at another pitch."""
    os.makedirs(folder, exist_ok=True)
    rate = 8000
    for i, name in enumerate(track_names):
        path = os.path.join(folder, name + '.wav')
        if os.path.exists(path):
            continue
        freq = 220.0 * (i + 2) / 2
        second = array.array('h', (int(8000 * math.sin(2 * math.pi * freq * n / rate)) for n in range(rate))).tobytes()
        with wave.open(path, 'wb') as f:
            f.setnchannels(1)
            f.setsampwidth(2)
            f.setframerate(rate)
            f.writeframes(second * SECONDS)   # whole cycles in one second: repeatable
