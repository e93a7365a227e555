#!/usr/bin/env python3
"""MurmurHash2, 32-bit, written from the published algorithm independently of the C++ one.

As a program: reads lines "SEED HEXBYTES" (SEED decimal, HEXBYTES possibly empty) from stdin and
prints the hash of each as 8 upper-case hex digits, one per line."""
import struct
import sys

M = 0x5BD1E995
MASK = 0xFFFFFFFF


def murmur2(data: bytes, seed: int) -> int:
    length = len(data)
    h = (seed ^ length) & MASK
    body = length - length % 4
    for (k,) in struct.iter_unpack("<I", data[:body]):
        k = (k * M) & MASK
        k ^= k >> 24
        k = (k * M) & MASK
        h = (h * M) & MASK
        h ^= k
    tail = data[body:]
    if len(tail) == 3:
        h ^= tail[2] << 16
    if len(tail) >= 2:
        h ^= tail[1] << 8
    if len(tail) >= 1:
        h ^= tail[0]
        h = (h * M) & MASK
    h ^= h >> 13
    h = (h * M) & MASK
    h ^= h >> 15
    return h


if __name__ == "__main__":
    for line in sys.stdin:
        parts = line.rstrip("\n").split(" ")
        seed = int(parts[0]) & MASK
        data = bytes.fromhex(parts[1]) if len(parts) > 1 else b""
        print("%08X" % murmur2(data, seed))
