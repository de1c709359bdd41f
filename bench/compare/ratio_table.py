#!/usr/bin/env python3
"""Summarises side-by-side samples and prints each metric's ratio against its goal.

Usage: ratio_table.py SUBJECT BASELINE METRIC:UNIT:GOAL... < samples
Each sample line is "<program> <metric> <value>". The ratio is SUBJECT's median over
BASELINE's median (the ratio of the minimums is shown beside it); a goal of 1.15 means SUBJECT may cost at most 1.15 times BASELINE.
"""
import statistics
import sys
from collections import defaultdict


def main():
    subject, baseline, *metrics = sys.argv[1:]
    samples = defaultdict(list)
    for line in sys.stdin:
        program, metric, value = line.split()
        samples[(program, metric)].append(float(value))

    print(f"  {'metric':<28} {'program':<16} {'median':>10} {'min':>10} {'max':>10} {'n':>3}")
    for entry in metrics:
        metric, unit, goal = entry.split(":")
        for program in (subject, baseline):
            values = samples[(program, metric)]
            if not values:
                sys.exit(f"no samples of {metric} for {program}")
            print(f"  {metric + ' (' + unit + ')':<28} {program:<16} "
                  f"{statistics.median(values):>10.3f} {min(values):>10.3f} "
                  f"{max(values):>10.3f} {len(values):>3}")
        ratio = (statistics.median(samples[(subject, metric)]) /
                 statistics.median(samples[(baseline, metric)]))
        # The best runs are the ones the rest of the machine disturbed least.
        best = min(samples[(subject, metric)]) / min(samples[(baseline, metric)])
        verdict = "met" if ratio <= float(goal) else "MISSED"
        print(f"  {'':<28} ratio {subject} / {baseline} = {ratio:.2f} of medians, "
              f"{best:.2f} of minimums   (goal <= {goal}: {verdict})")


if __name__ == "__main__":
    main()
