"""For each type, the general-purpose tool that pulls the same three values out of the source."""

PYTHON = "/usr/bin/python3"

# Reads an INI source the way configparser does and writes one tab-separated line per
# section; "@" in the key list stands for the section name.
_CONFIGPARSER_ONE_LINER = (
    "import configparser,sys;"
    "c=configparser.ConfigParser(interpolation=None,strict=False);"
    "c.read(sys.argv[1],encoding='gbk');k=sys.argv[3].split(',');"
    "open(sys.argv[2],'w',encoding='utf-8').writelines("
    "'\\t'.join(s if x=='@' else c[s].get(x,'') for x in k)+'\\n' for s in c.sections())"
)


class Peer:
    """A command line for one source. Its stdout is the output file unless the command
    names the output file itself; either way the output ends fsynced on disk."""

    def __init__(self, tool, package, argv_of, writes_stdout=True):
        self.tool = tool
        self.package = package
        self.argv_of = argv_of
        self.writes_stdout = writes_stdout

    def argv(self, source, output):
        return self.argv_of(source, output)

    def machines_found(self, output):
        """How many machines the peer's run extracted (for checking the generated source)."""
        with open(output, "rb") as extracted:
            return sum(1 for _ in extracted)


def _sqlite(query):
    return Peer("sqlite3", "sqlite3", lambda s, o: ["sqlite3", "-batch", s, query])


def _xmlstarlet(match, name, mac, ip):
    return Peer("xmlstarlet", "xmlstarlet",
                lambda s, o: ["xmlstarlet", "sel", "-T", "-t", "-m", match,
                              "-v", mac, "-o", "\t", "-v", ip, "-o", "\t", "-v", name, "-n", s])


def _awk(separator, program):
    return Peer("awk", "mawk", lambda s, o: ["awk", "-F", separator, program, s])


def _configparser(mac, ip, name):
    keys = ",".join((mac, ip, name))
    return Peer("python3 configparser", "python3",
                lambda s, o: [PYTHON, "-c", _CONFIGPARSER_ONE_LINER, s, o, keys],
                writes_stdout=False)


# One line per 348-byte record: MAC, the IP's four bytes, the name up to its NUL.
_ALD_ONE_LINER = (
    "import struct,sys;"
    "sys.stdout.buffer.writelines(b'%s\\t%d.%d.%d.%d\\t%s\\n'%(m,*a,n.split(b'\\0',1)[0]) "
    "for a,m,n in struct.iter_unpack('<20x4s20x12s4x288s',open(sys.argv[1],'rb').read()))"
)


PEERS = {
    "ald": Peer("python3 struct", "python3", lambda s, o: [PYTHON, "-c", _ALD_ONE_LINER, s]),
    "ccboot": _xmlstarlet("/server/initiator/*", "name/@value", "mac/@value", "ip/@value"),
    "i8": _xmlstarlet("/Collections/Computer", "@Name", "MacAddr", "NetAddr"),
    "mzd": _configparser("MAC", "WksIP", "ComName"),
    "obm": _configparser("MAC", "IPAddr", "WksName"),
    "pxd": _xmlstarlet("/PXD/Wks/*", "@ComName", "@MAC", "@WksIP"),
    "sanboot": _xmlstarlet("/*/*", "@Name", "@MAC", "@IP"),
    "vhd": _sqlite("select name,mac,ip4 from comp"),
    "kuaiba": _xmlstarlet("/KB/wks/*", "@cName", "@MAC", "@clientIP"),
    "kuaiba-lvcha": _xmlstarlet("/LC/wks/*", "@cName", "@MAC", "@clientIP"),
    "ruiqi": _configparser("@", "IpAddr", "WksName"),
    "wangwei9": _xmlstarlet("/ClientInfor/ClientConfig", "Name", "Mac", "IP"),
    "wangwei7": Peer("mdb-export", "mdbtools",
                     lambda s, o: ["mdb-export", "-H", "-d", "\t", s, "computer"]),
    "wangwei8": _sqlite("select ComputerName,Mac,Ip from tbl_Computer"),
    "wangzhong": _configparser("MAC", "IP", "@"),
    "xinyou": _awk(",", 'NR > 1 { sub(/\\r$/, "") } NR > 1 && $3 != "" { print $3 "\\t" $2 "\\t" $1 }'),
    "xinyou6": Peer("jq", "jq",
                    lambda s, o: ["jq", "-r", ".macList[] | [.mac, .ip, .pc] | @tsv", s]),
    "fanggezi-v5": _awk("|", 'NF >= 19 { print $3 "\\t" $4 "\\t" $2 }'),
    "yileyou": _sqlite("select computer,mac,ip from workstation"),
    "yiyou": _sqlite("select Name,macaddress,ipaddress from client"),
    # The token scan over the fields between quotes: the name two before "mac", the MAC two
    # after it, the IP six after it.
    "shunwupan": _awk('"', '{ for (i = 3; i + 6 <= NF; i++) if (tolower($i) == "mac") '
                           'print $(i + 2) "\\t" $(i + 6) "\\t" $(i - 2) }'),
    "lvhua": _awk("[ ]", '{ sub(/\\r$/, "") } NF == 3 { print $3 "\\t" $2 "\\t" $1 }'),
}
