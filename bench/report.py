#!/usr/bin/env python3
"""Prints the benchmark table: ours, the peer's, and the ratio, from Google Benchmark's JSON
output, and times zarn-eval against GNU dc on the same RPN program as whole processes."""

import json
import os
import platform
import subprocess
import sys
import tempfile
import time


def rates(results_path):
    with open(results_path) as f:
        data = json.load(f)
    by_name = {}
    for b in data["benchmarks"]:
        by_name[b["name"]] = b
    return data["context"], by_name


def mb_per_s(b):
    return b["bytes_per_second"] / 1e6


def ns_per_op(b):
    return b["cpu_time"] if b["time_unit"] == "ns" else b["cpu_time"] * 1e3


def best_of(runs, command, stdin_path):
    best = float("inf")
    for _ in range(runs):
        with open(stdin_path, "rb") as stdin:
            start = time.perf_counter()
            subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, check=False)
            best = min(best, time.perf_counter() - start)
    return best


def whole_process_rows(zarn_eval):
    # The same RPN program for both: "12 34 +" repeated to 1 MB; dc prints its stack with "f".
    program = "12 34 + " * ((1 << 20) // 8)
    with tempfile.TemporaryDirectory() as folder:
        line = os.path.join(folder, "program.txt")
        with open(line, "w") as f:
            f.write(program + "\n")
        dc_program = os.path.join(folder, "program.dc")
        with open(dc_program, "w") as f:
            f.write(program + "f\n")
        empty = os.path.join(folder, "empty")
        open(empty, "w").close()
        ours = best_of(3, [zarn_eval], line)
        theirs = best_of(3, ["dc", dc_program], empty)
    return [("zarn-eval vs dc, 1 MB of '12 34 +' (s, whole process)", ours, theirs, theirs / ours)]


def main():
    context, b = rates(sys.argv[1])
    rows = []
    for mix in ("integers", "decimals", "fractions"):
        for size, label in ((1024, "1 KB"), (32768, "32 KB"), (1048576, "1 MB")):
            regex = b[f"tokenize/regex/{mix}/{size}"]
            for mode in ("fraction", "decimal"):
                ours = b[f"evaluate/{mode}/{mix}/{size}"]
                rows.append((f"evaluateLine {mix} {label} {mode} (MB/s) vs std::regex tokenizing",
                             mb_per_s(ours), mb_per_s(regex), mb_per_s(ours) / mb_per_s(regex)))
            scanner = b[f"tokenize/scanner/{mix}/{size}"]
            rows.append((f"tokenizing {mix} {label} (MB/s): scanner vs std::regex",
                         mb_per_s(scanner), mb_per_s(regex), mb_per_s(scanner) / mb_per_s(regex)))
    for bits in (16, 24, 31):
        for op in ("add", "mul", "div", "compare"):
            ours = ns_per_op(b[f"frac/{op}/zarn/{bits}"])
            for peer in ("boost", "gmp"):
                theirs = ns_per_op(b[f"frac/{op}/{peer}/{bits}"])
                rows.append((f"frac {op}, fields below 2^{bits} (ns/op) vs {peer}", ours, theirs, theirs / ours))
    rows += whole_process_rows(sys.argv[2])

    print(f"# {time.strftime('%Y-%m-%d')} on {platform.node()}: {context.get('num_cpus')} CPUs at "
          f"{context.get('mhz_per_cpu')} MHz, load {context.get('load_avg')}")
    print("Ratio > 1: ours is faster (for MB/s, ours / peer; for times, peer / ours).")
    print()
    width = max(len(r[0]) for r in rows)
    print(f"| {'measurement'.ljust(width)} | {'ours':>10} | {'peer':>10} | {'ratio':>7} |")
    print(f"|{'-' * (width + 2)}|{'-' * 12}|{'-' * 12}|{'-' * 9}|")
    for name, ours, theirs, ratio in rows:
        print(f"| {name.ljust(width)} | {ours:10.3f} | {theirs:10.3f} | {ratio:7.2f} |")
    print()
    print("| evaluation of one typed '+' at the end of a line | ms |")
    print("|---|---|")
    for length in (100, 1000, 30000):
        print(f"| {length} characters | {ns_per_op(b[f'keystroke/{length}']) / 1e6:.4f} |")


if __name__ == "__main__":
    main()
