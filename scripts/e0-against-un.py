#!/usr/bin/env python3
"""Life expectancy at birth of `velmora-cli info` against the UN's published e0.

For every country of the UN tables and each year asked for, the program makes
the year's rates (`velmora-cli wpp preset`) and measures their e0 (`velmora-cli
info`); the UN's figure is the mean of its published e0 of the same five-year
periods the rates come from (two periods, one for 1950 and 2100).

The gap (program - UN) is then split into its causes by life tables
recomputed here from the same UN death rates, one change at a time; each part
is how many years that change takes off e0:
  mean rates  the UN's e0 of the periods - e0 of one UN-style life table on the
              mean of their rates: the averaging of two periods, plus about
              0.1 year by which this reconstruction of the UN's table differs
              from theirs (the whole part in 1950 and 2100, one period)
  steps       that - yearly steps with survival exp(-m), ages 0 and 1-4 apart,
              deaths at mid-year, the open age at the model's 1/q - 1/2
  ages 0-4    that - the same with the one rate of class 0-4
  1 - m       that - the program's survival 1 - m instead of exp(-m)
The last column, the program's e0 less the recomputed last step, checks the
recomputation against the program's own output.

  scripts/e0-against-un.py [--bin build/bin] [--years 2020 2100]
                           [--case Egypt:1950 --case Cambodia:1975 ...]
"""
import argparse
import csv
import math
import os
import subprocess
import sys
import tempfile

AGES = 22  # the UN's 0, 1-4, 5-9, ..., 95-99, 100+


def read_table(path):
    with open(path, encoding="utf-8") as f:
        rows = list(csv.reader(f, delimiter="\t"))
    return rows[0], rows[1:]


def periods_of(year):
    if year == 1950:
        return ["1950-1955"]
    if year == 2100:
        return ["2095-2100"]
    return [f"{year - 5}-{year}", f"{year}-{year + 5}"]


def separation(m0, sex):
    if sex == 0:
        return (0.330, 1.352) if m0 >= 0.107 else (0.045 + 2.684 * m0, 1.651 - 2.816 * m0)
    return (0.350, 1.361) if m0 >= 0.107 else (0.053 + 2.800 * m0, 1.522 - 1.518 * m0)


def abridged_table(mx, sex):
    """l, d, L of the UN-style abridged life table (radix 1)."""
    a0, a1 = separation(mx[0], sex)
    l, d, big_l = [1.0], [], []
    for i, m in enumerate(mx):
        if i == AGES - 1:
            di, li = l[i], l[i] / m
        elif i < 2:
            n, a = (1.0, a0) if i == 0 else (4.0, a1)
            di = l[i] * n * m / (1.0 + (n - a) * m)
            li = n * (l[i] - di) + a * di
        elif m == 0.0:
            di, li = 0.0, 5.0 * l[i]
        else:
            di = l[i] * (1.0 - math.exp(-5.0 * m))
            li = di / m
        d.append(di)
        big_l.append(li)
        l.append(l[i] - di)
    return l, d, big_l


def yearly_e0(rates, survival):
    """e0 on the program's yearly steps: rates[a] for ages 0..99, deaths at
    mid-year, the open age 99 living 1/q - 1/2 more years."""
    l = [1.0]
    for a in range(99):
        l.append(l[-1] * survival(rates[a]))
    years = sum(0.5 * (l[a] + l[a + 1]) for a in range(99))
    q = 1.0 - survival(rates[99])
    return years + l[99] * (1.0 / q - 0.5)


def split(mx, sex):
    """The four recomputed e0 of one sex's mean abridged rates."""
    l, d, big_l = abridged_table(mx, sex)
    un_style = sum(big_l)
    class0 = (d[0] + d[1]) / (big_l[0] + big_l[1])
    open_rate = l[20] / sum(big_l[20:])
    classes = [class0] + mx[2:20] + [open_rate]
    by_age = [classes[a // 5] for a in range(100)]
    infant_apart = [mx[0]] + [mx[1]] * 4 + by_age[5:]
    exp_survival = lambda m: math.exp(-m)
    return (un_style, yearly_e0(infant_apart, exp_survival), yearly_e0(by_age, exp_survival),
            yearly_e0(by_age, lambda m: 1.0 - m))


def program_e0(cli, tables, code, year, folder):
    rates = os.path.join(folder, "rates.csv")
    made = subprocess.run([cli, "wpp", "preset", "--tables", tables, "--location", code, "--year", str(year),
                           "--rates-out", rates, "--force"], capture_output=True, text=True)
    if made.returncode != 0:
        return None
    info = subprocess.run([cli, "info", "--rates", rates, "--format", "csv"], capture_output=True, text=True,
                          check=True)
    header, values = info.stdout.splitlines()[:2]
    row = dict(zip(header.split(","), values.split(",")))
    return float(row["e0_men"]), float(row["e0_women"])


def load_e0(folder, files):
    """(code, period) -> the UN's published e0."""
    values = {}
    for name in files:
        header, rows = read_table(os.path.join(folder, name))
        for row in rows:
            for period, value in zip(header[2:], row[2:]):
                if "-" in period and value:
                    values[(row[0], period)] = float(value)
    return values


def load_mx(folder, name):
    """(code, period) -> the 22 abridged death rates; a repeated row counts once."""
    header, rows = read_table(os.path.join(folder, name))
    ages = {}
    for row in rows:
        for period, value in zip(header[3:], row[3:]):
            ages.setdefault((row[0], period), {}).setdefault(row[2], float(value))
    return {key: list(by_age.values()) for key, by_age in ages.items() if len(by_age) == AGES}


def mean(values):
    return sum(values) / len(values)


def measure(cli, tables, mx, e0, code, year, folder):
    """UN, program and the four recomputed e0 of one location and year, both sexes, or None."""
    periods = periods_of(year)
    keys = [(code, p) for p in periods]
    if not all(k in mx[s] and k in e0[s] for k in keys for s in (0, 1)):
        return None
    measured = program_e0(cli, tables, code, year, folder)
    if measured is None:
        return None
    rows = []
    for sex in (0, 1):
        rates = [mean([mx[sex][k][i] for k in keys]) for i in range(AGES)]
        rows.append((mean([e0[sex][k] for k in keys]), measured[sex]) + split(rates, sex))
    return rows


COLUMNS = "UN e0, program e0, gap; taken off by: mean rates, steps, ages 0-4, 1 - m; check"


def line(label, rows):
    un, program, un_style, infant_apart, one_class, one_minus = (mean([r[i] for r in rows]) for i in range(6))
    parts = [un - un_style, un_style - infant_apart, infant_apart - one_class, one_class - one_minus]
    return (f"{label:<24} {un:6.2f} {program:6.2f} {program - un:+6.2f};"
            + "".join(f" {p:+6.2f}" for p in parts) + f"; {mean([r[1] - r[5] for r in rows]):+.0e}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", default="build/bin", help="folder of velmora-cli and its wpp2019 tables")
    parser.add_argument("--years", type=int, nargs="*", default=[2020, 2100])
    parser.add_argument("--case", action="append", default=None, help="LOCATION:YEAR, shown one by one")
    args = parser.parse_args()
    cases = args.case or ["Egypt:1950", "Cambodia:1975", "Rwanda:1995"]
    cli = os.path.join(args.bin, "velmora-cli")
    tables = os.path.join(args.bin, "wpp2019")
    names, countries = {}, []
    header, rows = read_table(os.path.join(tables, "UNlocations.txt"))
    for row in rows:
        record = dict(zip(header, row))
        names[record["name"]] = record["country_code"]
        if record["location_type"] == "4":
            countries.append(record["country_code"])
    e0 = [load_e0(tables, ["e0M.txt", "e0Mproj.txt"]), load_e0(tables, ["e0F.txt", "e0Fproj.txt"])]
    mx = [load_mx(tables, "mxM.txt"), load_mx(tables, "mxF.txt")]
    print(f"{'':<24} {COLUMNS} (means of men and women, years)")
    with tempfile.TemporaryDirectory() as folder:
        for year in args.years:
            rows = []
            for code in countries:
                measured = measure(cli, tables, mx, e0, code, year, folder)
                if measured:
                    rows.extend(measured)
            print(line(f"{year}, {len(rows) // 2} countries", rows))
        for case in cases:
            name, year = case.rsplit(":", 1)
            measured = measure(cli, tables, mx, e0, names[name], int(year), folder)
            for sex, label in ((0, "men"), (1, "women")):
                print(line(f"{name} {year} {label}", [measured[sex]]))


if __name__ == "__main__":
    main()
