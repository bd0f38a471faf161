// Runs in a process of its own: OpenAL Soft reads its configuration once, and
// here that configuration offers no backend at all, as on a machine without
// any sound device.
#include "sound_output.h"
#include "test_support.h"

#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

TEST(NoSoundDevice, OpenGivesNothingAndTheCueStillDecodes) {
  const testing::TempDir folder;
  const std::filesystem::path config = folder / "alsoft.conf";
  std::ofstream(config) << "[general]\ndrivers=no-such-backend\n";
  setenv("ALSOFT_CONF", config.c_str(), 1);
  EXPECT_EQ(SoundOutput::Open(), nullptr);
  EXPECT_TRUE(LoadCompletionSound().has_value());
}

}  // namespace
}  // namespace quillmoor
