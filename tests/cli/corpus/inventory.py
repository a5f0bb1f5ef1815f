#!/usr/bin/env python3
"""Keeps a tally of items."""

from collections import Counter


class Tally:
    def __init__(self, items=None):
        self.counts = Counter(items or [])

    def add(self, name, n=1):
        if n <= 0:
            raise ValueError(f"bad count: {n!r}")
        self.counts[name] += n
        return self

    def __repr__(self):
        return 'Tally(%s)' % ", ".join("%s=%d" % kv for kv in sorted(self.counts.items()))


if __name__ == "__main__":
    t = Tally(["a", "b"]).add("a", 2)  # a=3
    print(t, 1.5e3, 0x10, [x ** 2 for x in range(4)])
