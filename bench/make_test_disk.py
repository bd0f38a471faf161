#!/usr/bin/env python3
"""Writes a synthetic hard-disk image for timing quillmoor-scan.

The same size and seed always give the same bytes. The image is a mix of what
real disks hold: runs of random bytes (compressed or encrypted data, which
also sets off the occasional false candidate), runs of zeros (unused space)
and runs of text, with valid TRD images placed at unaligned offsets every few
dozen MiB.

    make_test_disk.py OUTPUT [--size-mib N] [--seed S]

Prints the number of images placed and their offsets, one a line.
"""
import argparse
import random
import sys

TRD_SIZE = 655_360
MIB = 1 << 20
IMAGE_SPACING = 32 * MIB
TEXT = (b"The quick brown fox jumps over the lazy dog. 10 PRINT \"HELLO\": GOTO 10\n"
        b"Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.\n")


def trd_image(rng, number):
    """A valid 80-track double-sided TR-DOS image with a few files."""
    image = bytearray(rng.randbytes(TRD_SIZE))
    files = rng.randrange(1, 20)
    image[0:2048] = bytes(2048)
    for i in range(files):
        entry = 16 * i
        name = b"FILE%04d" % i
        image[entry:entry + 8] = name
        image[entry + 8] = ord("C")
        image[entry + 13] = 1                    # length in sectors
        image[entry + 14] = i % 16               # first sector
        image[entry + 15] = 1 + i // 16          # first track
    image[2048:2304] = bytes(256)
    image[2273] = files % 16                      # first free sector
    image[2274] = 1 + files // 16                 # first free track
    image[2275] = 22                              # 80 tracks, two sides
    image[2276] = files
    image[2279] = 16                              # TR-DOS identifier
    label = b"BENCH%04d" % number
    image[2293:2293 + len(label)] = label
    return bytes(image)


def filler(rng, length):
    kind = rng.random()
    if kind < 0.55:
        return rng.randbytes(length)
    if kind < 0.85:
        return bytes(length)
    return (TEXT * (length // len(TEXT) + 1))[:length]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--size-mib", type=int, default=1024)
    parser.add_argument("--seed", type=int, default=20240611)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    size = args.size_mib * MIB
    offsets = []
    written = 0
    next_image = rng.randrange(MIB, 4 * MIB)
    with open(args.output, "wb") as out:
        while written < size:
            if written >= next_image and written + TRD_SIZE <= size:
                out.write(trd_image(rng, len(offsets) + 1))
                offsets.append(written)
                written += TRD_SIZE
                # Unaligned: a few bytes off any sector boundary.
                next_image = written + IMAGE_SPACING + rng.randrange(1, 4096)
                continue
            room = size - written
            if next_image > written:
                room = min(room, next_image - written)
            length = min(rng.randrange(64 * 1024, 4 * MIB), room)
            out.write(filler(rng, length))
            written += length
    print(len(offsets))
    for offset in offsets:
        print(offset)
    return 0


if __name__ == "__main__":
    sys.exit(main())
