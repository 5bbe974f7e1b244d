// The type table. Row i is type i; the dialog, the command line and the tests iterate it.
#include "core/source_types.h"

#include <charconv>

#include "readers/database/access_reader.h"
#include "readers/database/sqlite_reader.h"
#include "readers/structured/ald_reader.h"
#include "readers/structured/ini_reader.h"
#include "readers/structured/json_reader.h"
#include "readers/structured/token_scan_reader.h"
#include "readers/text/delimited_line_reader.h"
#include "readers/xml/attribute_xml_reader.h"
#include "readers/xml/client_config_reader.h"
#include "readers/xml/computer_collection_reader.h"
#include "readers/xml/initiator_reader.h"

namespace {

using T = DisklessType;

constexpr std::array<SourceTypeInfo, kDisklessTypeCount> kSourceTypes = {{
    {T::Ald, "ald", "ALD", "文件(wsk.dat)|wsk.dat|All Files (*.*)|*.*||", ReadAldSource},
    {T::Ccboot, "ccboot", "CCBOOT", "文件(db.XML)|db.XML|All Files (*.*)|*.*||", ReadInitiatorSource},
    {T::I8, "i8", "I8", "文件(i8无盘macsb.xml)|*.xml|All Files (*.*)|*.*||", ReadComputerCollectionSource},
    {T::Mzd, "mzd", "MZD", "文件(MZD.Ini)|MZD.Ini|All Files (*.*)|*.*||", ReadIniSource},
    {T::Obm, "obm", "OBM", "文件(*.wcf)|*.wcf|All Files (*.*)|*.*||", ReadIniSource},
    {T::Pxd, "pxd", "PXD", "文件(PXD.XML)|PXD.XML|All Files(*.*)|*.*||", ReadAttributeXmlSource},
    {T::Sanboot, "sanboot", "SANBOOT(方格子)", "文件(sanboot.xml)|sanboot.xml|All Files (*.*)|*.*||", ReadAttributeXmlSource},
    {T::Vhd, "vhd", "VHD", "文件(Config.db)|Config.db|All Files (*.*)|*.*||", ReadSqliteSource},
    {T::Kuaiba, "kuaiba", "快吧", "文件(KB.XML)|KB.XML|All Files (*.*)|*.*||", ReadAttributeXmlSource},
    {T::KuaibaLvcha, "kuaiba-lvcha", "快吧绿茶OEM", "文件(LC.XML)|LC.XML|All Files (*.*)|*.*||", ReadAttributeXmlSource},
    {T::Ruiqi, "ruiqi", "锐起", "文件(wks.ini)|wks.ini| All Files (*.*)|*.*||", ReadIniSource},
    {T::Wangwei9, "wangwei9", "网维9XXX或2.0无盘", "文件(ClientConfig.xml)|ClientConfig.xml|All Files (*.*)|*.*||", ReadClientConfigSource},
    {T::Wangwei7, "wangwei7", "网维7XXX有盘", "文件(Data.mdb)|Data.mdb|All Files (*.*)|*.*||", ReadAccessSource},
    {T::Wangwei8, "wangwei8", "网维8XXX有盘", "文件(barserver.db)|barserver.db|All Files (*.*)|*.*||", ReadSqliteSource},
    {T::Wangzhong, "wangzhong", "网众", "文件(qlboot.ini)|qlboot.ini|All Files (*.*)|*.*||", ReadIniSource},
    {T::Xinyou, "xinyou", "信佑或迅闪", "文件(*.txt)|*.txt|文件(*.json)|*.json| All Files (*.*)|*.*||", ReadDelimitedLineSource},
    {T::Xinyou6, "xinyou6", "信佑6", "文件(*.txt)|*.txt| All Files (*.*)|*.*||", ReadJsonSource},
    {T::FanggeziV5, "fanggezi-v5", "方格子V5", "文件(NMenuClient.txt)|NMenuClient.txt| All Files (*.*)|*.*||", ReadDelimitedLineSource},
    {T::Yileyou, "yileyou", "易乐游", "文件(ews.dat)|ews.dat|All Files (*.*)|*.*||", ReadSqliteSource},
    {T::Yiyou, "yiyou", "易游", "文件(diskless.db)|diskless.db|All Files (*.*)|*.*||", ReadSqliteSource},
    {T::Shunwupan, "shunwupan", "顺无盘", "文件(顺无盘.clt)|*.clt|All Files (*.*)|*.*||", ReadTokenScanSource},
    {T::Lvhua, "lvhua", "绿化大师", "文件(绿化大师.txt)|*.txt|All Files (*.*)|*.*||", ReadDelimitedLineSource},
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
