#include "image/vocabulary.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tqm5 {
namespace {

// The vocabulary tables as the radio's menus list them, index = code.
constexpr std::string_view kSteps =
    "5KHz 6.25KHz 8.33KHz 10KHz 12.5KHz 15KHz 20KHz 25KHz 30KHz 50KHz 100KHz 125KHz 150KHz 200KHz "
    "500KHz 1MHz";
constexpr std::string_view kTones =
    "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 "
    "118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 162.2 167.9 173.8 179.9 186.2 192.8 "
    "203.5 210.7 218.1 225.7 233.6 241.8 250.3";
constexpr std::string_view kDcsCodes =
    "023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125 131 132 "
    "134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 251 252 255 261 "
    "263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 371 411 412 413 423 431 "
    "432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 532 546 565 606 612 624 627 631 "
    "632 654 662 664 703 712 723 731 732 734 743 754";

TEST(VocabularyTest, ListsHoldTheRadiosTexts) {
  auto expect_list = [](const auto& list, std::string_view words, std::string_view unit) {
    std::istringstream in{std::string(words)};
    std::vector<std::string> expected;
    for (std::string word; in >> word;) expected.push_back(word + std::string(unit));
    EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), expected);
  };
  expect_list(kStepList, kSteps, "");
  expect_list(kToneList, kTones, "Hz");
  expect_list(kDcsList, kDcsCodes, "");
  // Carrier: 300Hz to 3000Hz in steps of 100 Hz, then the full-width "ＪＲ".
  std::string carriers;
  for (int hz = 300; hz <= 3000; hz += 100) carriers += std::to_string(hz) + "Hz ";
  expect_list(kTrainList, carriers + "ＪＲ", "");
}

}  // namespace
}  // namespace tqm5
