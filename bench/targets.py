"""What each measurement should meet, and whether it does."""
from source_plan import SLUGS

MIB = 1024 * 1024

# The most times the job's floor each type may take, by how its source is read.
FLOOR_FACTORS = {
    **dict.fromkeys(("xinyou", "fanggezi-v5", "lvhua", "ald"), 3.0),  # delimited text, records
    "shunwupan": 5.0,                                                  # the token scan
    **dict.fromkeys(("vhd", "wangwei8", "yileyou", "yiyou"), 6.0),     # SQLite
    "xinyou6": 10.0,                                                   # JSON
    **dict.fromkeys(("ccboot", "i8", "pxd", "sanboot", "kuaiba", "kuaiba-lvcha", "wangwei9"),
                    15.0),                                             # XML
}
# Their sources stop well below the target sizes (a section buffer, the Jet 4 writer):
# their ratio to the floor is shown without a target, the other targets hold at their
# largest source.
WITHOUT_FLOOR_FACTOR = ("mzd", "obm", "ruiqi", "wangzhong", "wangwei7")
if set(FLOOR_FACTORS) | set(WITHOUT_FLOOR_FACTOR) != set(SLUGS) or \
        set(FLOOR_FACTORS) & set(WITHOUT_FLOOR_FACTOR):
    raise SystemExit("bench/targets.py: every type needs exactly one place in the targets")

TARGET_SIZES = (100_000, 1_000_000)
GROWTH_FROM, GROWTH_TO = 100_000, 1_000_000
GROWTH_LIMIT = 11.0


def memory_bound_bytes(source_size, output_size):
    return 2 * (source_size + output_size) + 16 * MIB


def ratio(ours, theirs):
    return ours / theirs if ours is not None and theirs else None


class Mark:
    def __init__(self, label, met, detail=""):
        self.label = label
        self.met = met
        self.detail = detail  # what a miss reports beside the label

    def __str__(self):
        return f"{self.label} {'✓' if self.met else '✗'}"


def is_target_row(m, largest_count):
    if m.source.slug in FLOOR_FACTORS:
        return m.source.count in TARGET_SIZES
    return m.source.count == largest_count


def memory_met(m):
    if m.ours_memory is None:
        return None
    return m.ours_memory * 1024 <= memory_bound_bytes(m.source_size, m.output_size)


def marks(m, by_key, largest_count):
    """The time targets of one row; the memory check has a column of its own."""
    if not is_target_row(m, largest_count) or m.ours is None:
        return []
    found = []
    factor = FLOOR_FACTORS.get(m.source.slug)
    over_floor = ratio(m.ours, m.floor)
    if factor is not None and over_floor is not None:
        found.append(Mark(f"≤{factor:g}× floor", over_floor <= factor,
                          f"ours/floor {over_floor:.2f}"))
    over_peer = ratio(m.ours, m.theirs)
    if over_peer is not None:
        found.append(Mark(f"< {m.peer.tool}", over_peer < 1.0, f"ours/peer {over_peer:.2f}"))
    smaller = by_key.get((m.source.slug, GROWTH_FROM))
    if m.source.count == GROWTH_TO and smaller is not None and smaller.ours:
        grown = m.ours / smaller.ours
        floor_grown = ratio(m.floor, smaller.floor)
        found.append(Mark(f"growth {grown:.1f}×", grown <= GROWTH_LIMIT,
                          f"at most {GROWTH_LIMIT:g}×; the floor grew "
                          + ("—" if floor_grown is None else f"{floor_grown:.1f}×")))
    return found
