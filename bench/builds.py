"""The programs the benchmark runs: zembrix-cli, the Jet 4 writer and the two C helpers."""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
BUILD = os.path.join(ROOT, "build-bench")
TOOLS_BUILD = os.path.join(ROOT, "build-bench-tools")
HELPERS = os.path.join(BUILD, "bench-helpers")
JET4_TOOL_SOURCE = ("tests/support/jet4_database_tool.cpp",
                    "tests/readers/database/jet4_database_tool.cpp")


def cmake_target(folder, target, testing):
    """Builds target in Release in folder; the path of the program built."""
    if not os.path.exists(os.path.join(folder, "CMakeCache.txt")):
        subprocess.run(["cmake", "-S", ROOT, "-B", folder, "-DCMAKE_BUILD_TYPE=Release",
                        f"-DBUILD_TESTING={'ON' if testing else 'OFF'}"],
                       check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", folder, "--target", target, "-j2"], check=True,
                   stdout=subprocess.DEVNULL)
    for directory, _, files in os.walk(folder):
        if target in files:
            return os.path.join(directory, target)
    sys.exit(f"built {target}, but cannot find it under {folder}")


def zembrix_cli():
    return cmake_target(BUILD, "zembrix-cli", testing=False)


def jet4_writer():
    """The test support's Jet 4 writer, or None when its source is missing."""
    if not any(os.path.exists(os.path.join(ROOT, path)) for path in JET4_TOOL_SOURCE):
        return None
    return cmake_target(TOOLS_BUILD, "make-jet4-database", testing=True)


def c_helper(source_name, program_name):
    """One of bench/'s own C programs, compiled when missing or older than its source."""
    source = os.path.join(HERE, source_name)
    program = os.path.join(HELPERS, program_name)
    if not os.path.exists(program) or os.path.getmtime(program) < os.path.getmtime(source):
        os.makedirs(HELPERS, exist_ok=True)
        subprocess.run(["cc", "-O2", "-Wall", "-Wextra", "-Werror", "-o", program, source],
                       check=True)
    return program


class Programs:
    def __init__(self):
        self.cli = zembrix_cli()
        self.floor = c_helper("floor.c", "floor")
        self.synced_output = c_helper("synced_output.c", "synced-output")
