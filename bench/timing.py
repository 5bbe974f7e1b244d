"""One timed run of a program, and its peak memory as GNU time reports it."""
import os
import subprocess
import tempfile
import time

GNU_TIME = "/usr/bin/time"


class Run:
    def __init__(self, wall, status, stderr):
        self.wall = wall  # seconds
        self.status = status
        self.stderr = stderr

    def first_error_line(self):
        lines = self.stderr.decode("utf-8", "replace").strip().splitlines()
        return lines[0] if lines else ""


def run_once(argv):
    """One run of argv with stdout thrown away; what it writes, it writes itself."""
    with open(os.devnull, "wb") as stdout, tempfile.TemporaryFile() as stderr:
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdout=stdout, stderr=stderr)
        _, wait_status, _ = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
        child.returncode = os.waitstatus_to_exitcode(wait_status)
        stderr.seek(0)
        return Run(wall, child.returncode, stderr.read())


def peak_memory_kib(argv, report):
    """Peak resident memory of one run of argv (GNU time's %M)."""
    subprocess.run([GNU_TIME, "-f", "%M", "-o", report] + argv, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    with open(report) as text:
        return int(text.read().split()[-1])
