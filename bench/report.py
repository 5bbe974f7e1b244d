"""The results table and the text of results.md around it."""
import datetime
import os
import platform
import subprocess

from targets import (FLOOR_FACTORS, GROWTH_FROM, GROWTH_LIMIT, GROWTH_TO, MIB, TARGET_SIZES,
                     is_target_row, marks, memory_bound_bytes, memory_met, ratio)

HEADER = ("| type | N | ours (ms) | floor (ms) | ours/floor | peer (ms) | ours/peer | "
          "peak memory (MiB) | memory bound (MiB) | marks |")
ALIGNMENT = "|---|---:|---:|---:|---:|---:|---:|---:|---:|---|"


def _milliseconds(seconds):
    return "—" if seconds is None else f"{seconds * 1000:.1f}"


def _times(value):
    return "—" if value is None else f"{value:.2f}"


def _sizes(counts):
    return " and ".join(f"{n:,}" for n in counts)


def table(measurements):
    """The table's lines, and one line per target missed."""
    by_key = {(m.source.slug, m.source.count): m for m in measurements}
    largest = {}
    for m in measurements:
        largest[m.source.slug] = max(largest.get(m.source.slug, 0), m.source.count)
    lines, misses = [HEADER, ALIGNMENT], []
    for m in measurements:
        label = f"{m.source.slug} {m.source.count}"
        found = marks(m, by_key, largest[m.source.slug])
        misses += [f"{label}: {mark.label} missed ({mark.detail})" for mark in found
                   if not mark.met]
        bound = memory_bound_bytes(m.source_size, m.output_size)
        memory_ok = memory_met(m)
        if memory_ok is False and is_target_row(m, largest[m.source.slug]):
            misses.append(f"{label}: peak memory {m.ours_memory / 1024:.1f} MiB > "
                          f"bound {bound / MIB:.1f} MiB")
        cells = [str(mark) for mark in found] + (["check failed"] if m.problems else [])
        lines.append("| " + " | ".join([
            m.source.slug, str(m.source.count),
            _milliseconds(m.ours), _milliseconds(m.floor), _times(ratio(m.ours, m.floor)),
            f"{_milliseconds(m.theirs)} ({m.peer.tool})", _times(ratio(m.ours, m.theirs)),
            "—" if m.ours_memory is None else f"{m.ours_memory / 1024:.1f}",
            "—" if memory_ok is None else f"{bound / MIB:.1f} {'✓' if memory_ok else '✗'}",
            " · ".join(cells)]) + " |")
    return lines, misses


def _commit(root):
    commit = subprocess.run(["git", "-C", root, "rev-parse", "--short", "HEAD"],
                            capture_output=True, text=True).stdout.strip()
    changed = subprocess.run(["git", "-C", root, "status", "--porcelain", "--untracked-files=no"],
                             capture_output=True, text=True).stdout.strip()
    return f"{commit} with uncommitted changes" if changed else commit


def _factors_text():
    by_factor = {}
    for slug, factor in FLOOR_FACTORS.items():
        by_factor.setdefault(factor, []).append(slug)
    return "; ".join(f"{factor:g} for {', '.join(slugs)}"
                     for factor, slugs in sorted(by_factor.items()))


def report(measurements, plan_notes, run_counts, root, load, seconds):
    lines, misses = table(measurements)
    runs, large_runs, large_from = run_counts
    now = datetime.datetime.now(datetime.timezone.utc)
    text = [
        "# Benchmark results",
        "",
        f"{now:%Y-%m-%d %H:%M} UTC, commit {_commit(root)}, {platform.machine()}, "
        f"{os.cpu_count()} cores, load average {load[0]:.2f} before and {load[1]:.2f} after; "
        f"wall-clock medians of {runs} runs ({large_runs} from {large_from:,} machines) after "
        f"one warm-up run; the whole run took {seconds / 60:.1f} minutes.",
        "",
        "The floor is the least the job takes: read the source to its end, write our output's "
        "bytes to a temporary file in the output folder, fsync it, rename it over the target. "
        "Peers write their output to a file and fsync it.",
        "",
        f"Targets at {_sizes(TARGET_SIZES)} machines: ours/floor at most {_factors_text()}; "
        f"faster than the peer; from {GROWTH_FROM:,} to {GROWTH_TO:,} machines our time grows "
        f"at most {GROWTH_LIMIT:g}×; peak memory within the bound, twice the source plus twice "
        "the output plus 16 MiB. The INI types and the Access type stop below those sizes: "
        "their ratio to the floor has no target, the peer and memory targets hold at their "
        "largest source. Marks: ✓ met, ✗ missed; the memory bound column checks every row.",
        "",
    ] + lines + [""]
    problems = [f"- {m.source.slug} {m.source.count}: {p}" for m in measurements
                for p in m.problems]
    if problems:
        text += ["Checks that failed:", ""] + problems + [""]
    else:
        text += ["Checks: on every source the peer found all N machines, and zembrix-cli exited "
                 "0 with N entries (IPAddr= lines).", ""]
    if misses:
        text += ["Targets missed:", ""] + [f"- {miss}" for miss in misses]
    else:
        text += ["Every measured type meets its targets."]
    if plan_notes:
        text += ["", "Sizes bounded by the source form or its writer:", ""] + plan_notes
    return "\n".join(text) + "\n"
