// The type table. Row i is type i; the dialog, the command line, the tests,
// the fuzzers and the benchmark all go by it.
#include "conversion/source_types.h"

#include <charconv>

namespace {

using T = DisklessType;
using M = Message;

// How each type prepares the MAC and the name (IPs are never changed).
constexpr MachineRules kUnchanged{MacForm::AsRead, false};
constexpr MachineRules kUpperCase{MacForm::AsRead, true};
constexpr MachineRules kColonsUpperCase{MacForm::ColonAfterEachPair, true};
constexpr MachineRules kDashesUpperCase{MacForm::DashesAsColons, true};

// The messages of a type that reports every unreadable source alike.
constexpr SourceMessages AllAs(Message message) { return {message, message, message}; }

constexpr SourceMessages kOpenSource = AllAs(M::OpenSourceFailed);
constexpr SourceMessages kAldMessages{M::OpenAldFailed, M::AldSizeFailed, M::ReadAldFailed};
constexpr SourceMessages kPxdMessages{M::OpenPxdFailed, M::PxdSizeFailed, M::ReadPxdFailed};
constexpr SourceMessages kWangweiMessages{M::OpenWangweiFailed, M::WangweiSizeFailed,
                                          M::ReadWangweiFailed};
constexpr SourceMessages kShunwupanMessages{M::OpenShunwupanFailed, M::ShunwupanSizeFailed,
                                            M::ReadShunwupanFailed};
constexpr SourceMessages kSqliteMessages{M::OpenSourceFailed, M::ReadDatabaseFailed,
                                         M::ReadDatabaseFailed};

// ---- settings per reader family, one row per type ------------------------------------

constexpr AldLayout kAld{348, 20, 44, 12, 60, 16, kColonsUpperCase};

constexpr InitiatorLayout kCcboot{u"/server/initiator", kUpperCase};
constexpr ComputerCollectionLayout kI8{u"/Collections/Computer", kDashesUpperCase};
constexpr ClientConfigLayout kWangwei9{u"/ClientInfor/ClientConfig", kColonsUpperCase};

constexpr AttributeXmlLayout kPxd{u"</PXD>", u"/PXD/Wks", u"ComName", u"MAC", u"WksIP", kColonsUpperCase};
constexpr AttributeXmlLayout kSanboot{u"", u"", u"Name", u"MAC", u"IP", kUpperCase};
constexpr AttributeXmlLayout kKuaiba{u"", u"/KB/wks", u"cName", u"MAC", u"clientIP", kColonsUpperCase};
constexpr AttributeXmlLayout kKuaibaLvcha{u"", u"/LC/wks", u"cName", u"MAC", u"clientIP", kColonsUpperCase};

constexpr IniLayout kMzd{5200, {u"MAC", true}, {u"WksIP", true}, {u"ComName", true}, kColonsUpperCase};
constexpr IniLayout kObm{10400, {u"MAC", true}, {u"IPAddr", true}, {u"WksName", true}, kColonsUpperCase};
constexpr IniLayout kRuiqi{5200, {kSectionName, true}, {u"IpAddr", false}, {u"WksName", false}, kColonsUpperCase};
constexpr IniLayout kWangzhong{10400, {u"MAC", true}, {u"IP", true}, {kSectionName, false}, kUpperCase};

constexpr SqliteLayout kVhd{"select name,mac,ip4 from comp", "name", "mac", "ip4", true, kDashesUpperCase};
constexpr SqliteLayout kWangwei8{"select ComputerName,Mac,Ip from tbl_Computer", "ComputerName", "Mac", "Ip", false, kDashesUpperCase};
constexpr SqliteLayout kYileyou{"select computer,mac,ip from workstation", "computer", "mac", "ip", false, kDashesUpperCase};
constexpr SqliteLayout kYiyou{"select Name,macaddress,ipaddress from client", "Name", "macaddress", "ipaddress", false, kDashesUpperCase};

constexpr AccessLayout kWangwei7{"select name,ip,mac from computer", "name", "ip", "mac",
                                 std::chrono::milliseconds(10000), kDashesUpperCase};

constexpr DelimitedLineLayout kXinyou{true, u',', 3, kAnyFieldCount, true, 2, 1, 0};
constexpr DelimitedLineLayout kFanggeziV5{false, u'|', 19, kAnyFieldCount, false, 2, 3, 1};
constexpr DelimitedLineLayout kLvhua{false, u' ', 3, 3, false, 2, 1, 0};

constexpr JsonLayout kXinyou6{"macList", "mac", "ip", "pc", kUpperCase};

constexpr TokenScanLayout kShunwupan{"mac", -1, 2, 5};

// ---- the table -------------------------------------------------------------------------

constexpr std::array<SourceTypeInfo, kDisklessTypeCount> kSourceTypes = {{
    {T::Ald, "ald", "ALD", "文件(wsk.dat)|wsk.dat|All Files (*.*)|*.*||", kAldMessages, kAld},
    {T::Ccboot, "ccboot", "CCBOOT", "文件(db.XML)|db.XML|All Files (*.*)|*.*||", kOpenSource, kCcboot},
    {T::I8, "i8", "I8", "文件(i8无盘macsb.xml)|*.xml|All Files (*.*)|*.*||", kOpenSource, kI8},
    {T::Mzd, "mzd", "MZD", "文件(MZD.Ini)|MZD.Ini|All Files (*.*)|*.*||", kOpenSource, kMzd},
    {T::Obm, "obm", "OBM", "文件(*.wcf)|*.wcf|All Files (*.*)|*.*||", kOpenSource, kObm},
    {T::Pxd, "pxd", "PXD", "文件(PXD.XML)|PXD.XML|All Files(*.*)|*.*||", kPxdMessages, kPxd},
    {T::Sanboot, "sanboot", "SANBOOT(方格子)", "文件(sanboot.xml)|sanboot.xml|All Files (*.*)|*.*||", kOpenSource, kSanboot},
    {T::Vhd, "vhd", "VHD", "文件(Config.db)|Config.db|All Files (*.*)|*.*||", kSqliteMessages, kVhd},
    {T::Kuaiba, "kuaiba", "快吧", "文件(KB.XML)|KB.XML|All Files (*.*)|*.*||", kOpenSource, kKuaiba},
    {T::KuaibaLvcha, "kuaiba-lvcha", "快吧绿茶OEM", "文件(LC.XML)|LC.XML|All Files (*.*)|*.*||", kOpenSource, kKuaibaLvcha},
    {T::Ruiqi, "ruiqi", "锐起", "文件(wks.ini)|wks.ini| All Files (*.*)|*.*||", kOpenSource, kRuiqi},
    {T::Wangwei9, "wangwei9", "网维9XXX或2.0无盘", "文件(ClientConfig.xml)|ClientConfig.xml|All Files (*.*)|*.*||", kWangweiMessages, kWangwei9},
    {T::Wangwei7, "wangwei7", "网维7XXX有盘", "文件(Data.mdb)|Data.mdb|All Files (*.*)|*.*||", AllAs(M::CreateFileFailed), kWangwei7},
    {T::Wangwei8, "wangwei8", "网维8XXX有盘", "文件(barserver.db)|barserver.db|All Files (*.*)|*.*||", kSqliteMessages, kWangwei8},
    {T::Wangzhong, "wangzhong", "网众", "文件(qlboot.ini)|qlboot.ini|All Files (*.*)|*.*||", kOpenSource, kWangzhong},
    {T::Xinyou, "xinyou", "信佑或迅闪", "文件(*.txt)|*.txt|文件(*.json)|*.json| All Files (*.*)|*.*||", kOpenSource, kXinyou},
    {T::Xinyou6, "xinyou6", "信佑6", "文件(*.txt)|*.txt| All Files (*.*)|*.*||", kOpenSource, kXinyou6},
    {T::FanggeziV5, "fanggezi-v5", "方格子V5", "文件(NMenuClient.txt)|NMenuClient.txt| All Files (*.*)|*.*||", AllAs(M::OpenV5Failed), kFanggeziV5},
    {T::Yileyou, "yileyou", "易乐游", "文件(ews.dat)|ews.dat|All Files (*.*)|*.*||", kSqliteMessages, kYileyou},
    {T::Yiyou, "yiyou", "易游", "文件(diskless.db)|diskless.db|All Files (*.*)|*.*||", kSqliteMessages, kYiyou},
    {T::Shunwupan, "shunwupan", "顺无盘", "文件(顺无盘.clt)|*.clt|All Files (*.*)|*.*||", kShunwupanMessages, kShunwupan},
    {T::Lvhua, "lvhua", "绿化大师", "文件(绿化大师.txt)|*.txt|All Files (*.*)|*.*||", kOpenSource, kLvhua},
}};

constexpr bool RowsAreIndexedAndNamesUnique() {
  for (std::size_t i = 0; i < kSourceTypes.size(); ++i) {
    if (IndexOf(kSourceTypes[i].type) != i) return false;
    for (std::size_t j = i + 1; j < kSourceTypes.size(); ++j) {
      if (kSourceTypes[i].slug == kSourceTypes[j].slug) return false;
      if (kSourceTypes[i].displayName == kSourceTypes[j].displayName) return false;
    }
  }
  return true;
}
static_assert(RowsAreIndexedAndNamesUnique(), "row i must be type i; slugs and names unique");

}  // namespace

const std::array<SourceTypeInfo, kDisklessTypeCount>& SourceTypes() { return kSourceTypes; }

const SourceTypeInfo& SourceTypeOf(DisklessType type) { return kSourceTypes[IndexOf(type)]; }

const SourceTypeInfo* FindSourceType(std::string_view key) {
  std::size_t index = 0;
  const char* end = key.data() + key.size();
  auto [next, error] = std::from_chars(key.data(), end, index);
  if (!key.empty() && error == std::errc{} && next == end) {
    return index < kSourceTypes.size() ? &kSourceTypes[index] : nullptr;
  }
  for (const SourceTypeInfo& row : kSourceTypes) {
    if (row.slug == key || row.displayName == key) return &row;
  }
  return nullptr;
}
