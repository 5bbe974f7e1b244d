"""The benchmark's machine list: the same N machines, in the same order, on every run."""
import random

SEED = 20261209
LARGEST = 100_000

_VENDOR_PREFIXES = ("00e04c", "50e549", "1c1b0d", "d8cb8a", "7085c2", "00d861", "b42e99")
_AREAS = ("一楼", "二楼", "三楼", "大厅", "包间", "贵宾区", "电竞区", "收银台", "吧台",
          "休闲区", "情侣座", "网咖")


class Machine:
    __slots__ = ("mac", "ip", "name")

    def __init__(self, mac, ip, name):
        self.mac = mac    # twelve lower-case hex digits, no separators
        self.ip = ip      # IPv4 as a 32-bit number, first octet most significant
        self.name = name  # text; about a fifth are Chinese

    @property
    def dotted_ip(self):
        return ".".join(str((self.ip >> shift) & 0xFF) for shift in (24, 16, 8, 0))

    @property
    def ip_octets(self):
        return bytes((self.ip >> shift) & 0xFF for shift in (24, 16, 8, 0))

    def mac_with(self, separator, upper=False):
        mac = self.mac.upper() if upper else self.mac
        return separator.join(mac[i:i + 2] for i in range(0, 12, 2))


def _build(count):
    rng = random.Random(SEED)
    suffixes = rng.sample(range(1 << 24), count)
    machines = []
    for index, suffix in enumerate(suffixes):
        mac = rng.choice(_VENDOR_PREFIXES) + format(suffix, "06x")
        subnet, host = divmod(index, 250)
        ip = (10 << 24) | (subnet << 8) | (host + 2)
        if rng.random() < 0.2:
            name = rng.choice(_AREAS) + format(index + 1, "03d")
        else:
            name = rng.choice(("PC", "pc", "Pc")) + format(index + 1, "05d")
        machines.append(Machine(mac, ip, name))
    return machines


_ALL = None


def machine_list(count):
    """The first count machines of the fixed list."""
    global _ALL
    if _ALL is None:
        _ALL = _build(LARGEST)
    if count > LARGEST:
        raise ValueError(f"at most {LARGEST} machines")
    return _ALL[:count]
