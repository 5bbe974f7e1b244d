"""Times one source three ways: zembrix-cli, the job's floor and the peer, interleaved."""
import os
import shutil
import statistics

from peers import PEERS
from timing import peak_memory_kib, run_once


class Measurement:
    def __init__(self, source):
        self.source = source
        self.source_size = os.path.getsize(source.path)
        self.peer = PEERS[source.slug]
        self.ours = None         # median seconds; None when zembrix-cli does not convert it
        self.floor = None        # median seconds; None without our output to write
        self.theirs = None       # the peer's median seconds
        self.ours_memory = None  # KiB
        self.output_size = 0     # bytes of our output
        self.runs = 0
        self.problems = []


def count_entries(path):
    with open(path, "rb") as output:
        return sum(1 for line in output if line.startswith(b"IPAddr="))


def _median(runs):
    return statistics.median(run.wall for run in runs) if runs else None


def measure(source, programs, outputs, runs):
    """Every output lands in outputs: ours in <slug>-<N>.ONC, the floor's beside it."""
    m = Measurement(source)
    m.runs = runs
    os.makedirs(outputs, exist_ok=True)
    stem = os.path.join(outputs, f"{source.slug}-{source.count}")
    ours_output, list_bytes = stem + ".ONC", stem + ".list"
    floor_output, peer_output = stem + ".floor.ONC", stem + ".peer"
    for leftover in (ours_output, list_bytes, floor_output, peer_output):
        if os.path.exists(leftover):
            os.remove(leftover)

    ours_argv = [programs.cli, "convert", "--type", source.slug, "--output", ours_output,
                 source.path]
    floor_argv = [programs.floor, source.path, list_bytes, floor_output]
    peer_argv = ([programs.synced_output, "--stdout" if m.peer.writes_stdout else "--named",
                  peer_output] + m.peer.argv(source.path, peer_output))

    # The first run of each warms the page cache and checks the source (and the floor
    # takes the bytes it writes from ours).
    first = run_once(ours_argv)
    ours_works = first.status == 0
    floor_works = False
    if not ours_works:
        m.problems.append(f"zembrix-cli exit {first.status}: {first.first_error_line()}")
    else:
        entries = count_entries(ours_output)
        if entries != source.count:
            m.problems.append(f"zembrix-cli wrote {entries} of {source.count} entries")
        shutil.copyfile(ours_output, list_bytes)
        m.output_size = os.path.getsize(list_bytes)
        first = run_once(floor_argv)
        floor_works = first.status == 0
        if not floor_works:
            m.problems.append(f"floor exit {first.status}: {first.first_error_line()}")

    first = run_once(peer_argv)
    found = m.peer.machines_found(peer_output) if first.status == 0 else None
    if first.status != 0 or found != source.count:
        m.problems.append(f"{m.peer.tool} found {found} of {source.count} "
                          f"(exit {first.status}{': ' + first.first_error_line() if first.status else ''})")

    ours_runs, floor_runs, peer_runs = [], [], []
    for _ in range(runs):
        if ours_works:
            ours_runs.append(run_once(ours_argv))
        if floor_works:
            floor_runs.append(run_once(floor_argv))
        peer_runs.append(run_once(peer_argv))
    for name, timed in (("zembrix-cli", ours_runs), ("floor", floor_runs),
                        (m.peer.tool, peer_runs)):
        failed = [run for run in timed if run.status != 0]
        if failed:
            m.problems.append(f"{name} failed {len(failed)} of {len(timed)} timed runs "
                              f"(exit {failed[0].status}: {failed[0].first_error_line()})")
    m.ours, m.floor, m.theirs = _median(ours_runs), _median(floor_runs), _median(peer_runs)
    if ours_works:
        m.ours_memory = peak_memory_kib(ours_argv, stem + ".time")
    for copy in (list_bytes, floor_output):  # the same bytes as ours
        if os.path.exists(copy):
            os.remove(copy)
    return m
