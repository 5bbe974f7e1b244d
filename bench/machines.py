"""The benchmark's machine list: the same N machines, in the same order, on every run."""
import itertools
import random

SEED = 20261209
LARGEST = 250 * 65_536  # one subnet of 250 hosts per 10.x.y.0: the addresses stay distinct

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


def _generate():
    """The fixed list, one machine at a time: the first N are the same whatever N is asked."""
    rng = random.Random(SEED)
    suffixes = set()
    index = 0
    while True:
        suffix = rng.randrange(1 << 24)
        if suffix in suffixes:
            continue
        suffixes.add(suffix)
        mac = rng.choice(_VENDOR_PREFIXES) + format(suffix, "06x")
        subnet, host = divmod(index, 250)
        ip = (10 << 24) | (subnet << 8) | (host + 2)
        if rng.random() < 0.2:
            name = rng.choice(_AREAS) + format(index + 1, "03d")
        else:
            name = rng.choice(("PC", "pc", "Pc")) + format(index + 1, "05d")
        yield Machine(mac, ip, name)
        index += 1


_made = []
_maker = _generate()


def machine_list(count):
    """The first count machines of the fixed list."""
    if count > LARGEST:
        raise ValueError(f"at most {LARGEST} machines")
    _made.extend(itertools.islice(_maker, max(0, count - len(_made))))
    return _made[:count]


def each_machine():
    """The fixed list from its start, as far as the caller reads."""
    for index in itertools.count():
        if index == len(_made):
            machine_list(index + 1)
        yield _made[index]
