#!/usr/bin/env python3
"""Checks the shared strings of an .xls workbook against the rules of BIFF8
that lenient readers do not enforce, and prints one line per breach.

- No record holds more than 8224 bytes of data.
- A string's header (length, flags) lies whole in one record together with
  its first character; a string continued in a CONTINUE record goes on there
  after one flags byte.
- EXTSST: as many strings per bucket as Excel puts there (a 128th of the
  strings plus one, at least 8), one bucket per started group of them, and
  each bucket gives the stream position of its first string and that
  string's offset in its record, counted from the record's header.

Prints nothing for a sound file; the stream comes out of the container
through xlrd's own compound-document reader.
"""
import struct
import sys

import xlrd.compdoc

SST, CONTINUE, EXTSST = 0x00FC, 0x003C, 0x00FF


def records(stream):
    pos = 0
    while pos + 4 <= len(stream):
        kind, size = struct.unpack_from("<HH", stream, pos)
        yield kind, pos, stream[pos + 4:pos + 4 + size]
        pos += 4 + size


def main():
    with open(sys.argv[1], "rb") as f:
        stream = xlrd.compdoc.CompDoc(f.read(), logfile=sys.stderr).get_named_stream("Workbook")
    breaches = []
    sst = []  # (record start, data) of SST and the CONTINUE records right after it
    ext = None
    found = list(records(stream))
    for i, (kind, start, data) in enumerate(found):
        if len(data) > 8224:
            breaches.append("record 0x%04X at %d holds %d bytes" % (kind, start, len(data)))
        if kind == SST:
            sst = [(start, data)]
            for more in found[i + 1:]:
                if more[0] != CONTINUE:
                    break
                sst.append(more[1:])
        elif kind == EXTSST:
            ext = data
    if not sst:
        print("no SST")
        return

    # Each string: where its header begins (stream position, offset in its record).
    starts = []
    unique = struct.unpack_from("<I", sst[0][1], 4)[0]
    rec, pos = 0, 8

    def data():
        return sst[rec][1]

    for i in range(unique):
        if pos == len(data()) and rec + 1 < len(sst):
            rec, pos = rec + 1, 0
        if pos + 3 > len(data()):
            breaches.append("string %d: header split across records" % i)
            break
        starts.append((sst[rec][0] + 4 + pos, 4 + pos))
        length, flags = struct.unpack_from("<HB", data(), pos)
        pos += 3
        size = 2 if flags & 1 else 1
        if length > 0 and pos + size > len(data()):
            breaches.append("string %d: header apart from its first character" % i)
        got = 0
        while got < length:
            if pos == len(data()):
                if rec + 1 == len(sst):
                    breaches.append("string %d: cut short" % i)
                    break
                rec += 1
                size = 2 if data()[0] & 1 else 1
                pos = 1
            n = min(length - got, (len(data()) - pos) // size)
            if n == 0:
                breaches.append("string %d: a character split across records" % i)
                break
            got += n
            pos += n * size

    if ext is None:
        breaches.append("no EXTSST")
    elif len(starts) == unique:
        per_bucket = struct.unpack_from("<H", ext, 0)[0]
        buckets = [struct.unpack_from("<IH", ext, 2 + 8 * k) for k in range((len(ext) - 2) // 8)]
        if per_bucket != max(unique // 128 + 1, 8):
            breaches.append("EXTSST: %d strings per bucket for %d strings" % (per_bucket, unique))
        wanted = (unique + per_bucket - 1) // per_bucket if per_bucket else 0
        if len(buckets) != wanted:
            breaches.append("EXTSST: %d buckets for %d strings, %d each" % (len(buckets), unique, per_bucket))
        for k, bucket in enumerate(buckets[:wanted]):
            first = k * per_bucket
            if tuple(bucket) != starts[first]:
                breaches.append("EXTSST bucket %d: %s, string %d starts at %s" % (k, tuple(bucket), first, starts[first]))
    print("\n".join(breaches))


if __name__ == "__main__":
    main()
