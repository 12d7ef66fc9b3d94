"""Medians and spreads, as the results table quotes them."""

import statistics


def quartiles(values):
    q1, median, q3 = statistics.quantiles(values, n=4, method="inclusive")
    return q1, median, q3


def describe(values, unit, digits=1):
    """'median (quartiles q1-q3, range lo-hi, n runs)'."""
    q1, median, q3 = quartiles(values)
    f = "%%.%df" % digits
    return ("%s %s (quartiles %s-%s, range %s-%s, n=%d)"
            % (f % median, unit, f % q1, f % q3, f % min(values), f % max(values), len(values)))


def ratio(quiz, floor):
    return statistics.median(quiz) / statistics.median(floor)
