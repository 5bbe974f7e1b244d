// SQLite reader failures that need Windows: a device name as the source.
#include <gtest/gtest.h>

#include <filesystem>

#include "readers/database/sqlite_failure_case.h"

namespace sqlite_reader_tests {
namespace {

using T = DisklessType;

INSTANTIATE_TEST_SUITE_P(
    WindowsFailures, SqliteFailureTest,
    testing::Values(
        FailureCase{"device_name", T::Yileyou,
                    [](const ScratchDir& dir) { return dir / "NUL"; },
                    Message::OpenSourceFailed, ""},
        FailureCase{"console", T::Yiyou, [](const ScratchDir& dir) { return dir / "CON"; },
                    Message::OpenSourceFailed, ""}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace sqlite_reader_tests
