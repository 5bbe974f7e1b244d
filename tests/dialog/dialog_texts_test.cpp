// The about box's version line.
#include <gtest/gtest.h>

#include <string>

#include "dialog/dialog_texts.h"
#include "zembrix_version.h"

namespace {

TEST(AboutVersionText, NamesTheProgramAndItsMajorAndMinorVersion) {
  const std::string full = ZEMBRIX_VERSION;  // major.minor.patch
  const std::string majorMinor = full.substr(0, full.rfind('.'));
  EXPECT_EQ(AboutVersionText(), "Zembrix，" + majorMinor + " 版");
}

}  // namespace
