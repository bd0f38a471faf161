#include "enclosing_images.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor::cli {
namespace {

constexpr std::int64_t Size = 655'360;
constexpr std::optional<int> None = std::nullopt;

struct EnclosingCase {
  const char* name;
  std::vector<std::int64_t> offsets;  // of images 1, 2, ... in scan order
  std::vector<std::optional<int>> inside;
};

void PrintTo(const EnclosingCase& testCase, std::ostream* out) {
  *out << testCase.name;
}

class EnclosingImagesTest : public ::testing::TestWithParam<EnclosingCase> {};

TEST_P(EnclosingImagesTest, NamesTheEarliestImageHoldingTheStart) {
  EnclosingImages enclosing;
  std::vector<std::optional<int>> inside;
  for (std::size_t i = 0; i < GetParam().offsets.size(); ++i) {
    inside.push_back(enclosing.Add(static_cast<int>(i) + 1, GetParam().offsets[i]));
  }
  EXPECT_EQ(inside, GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnclosingImagesTest,
    ::testing::Values(
        EnclosingCase{"SeparateDisksEndToEnd", {0, Size, 2 * Size}, {None, None, None}},
        EnclosingCase{"StartOnTheLastByte", {0, Size - 1}, {None, 1}},
        EnclosingCase{"SecondByte", {0, 1}, {None, 1}},
        EnclosingCase{"EarliestOfSeveralWins", {0, 1'000, 2'000}, {None, 1, 1}},
        // Past the first image's end but within the second's.
        EnclosingCase{"Chain", {0, 600'000, 1'000'000}, {None, 1, 2}},
        EnclosingCase{"ImageBeforeTheFile", {-1'000, Size - 1'001, Size - 1'000}, {None, 1, 2}},
        EnclosingCase{"FarApartAfterCopies", {0, 10, 5 * Size, 5 * Size + 1}, {None, 1, None, 3}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(EnclosingImages, ClearForgetsTheEarlierFile) {
  EnclosingImages enclosing;
  enclosing.Add(1, 0);
  enclosing.Clear();
  EXPECT_EQ(enclosing.Add(1, 1'000), None);
}

}  // namespace
}  // namespace quillmoor::cli
