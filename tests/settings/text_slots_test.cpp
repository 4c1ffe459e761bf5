// The shared text buffer of a settings object: every slot keeps exactly what
// was last stored in it through shrinking, growing, copying between slots and
// the repacking that a long run of growing texts causes.
#include <gtest/gtest.h>

#include <array>

#include "settings/text_slots.h"

namespace rxTheme {
namespace {

TEST(TextSlotsTest, EverySlotKeepsItsLastTextThroughGrowthCopiesAndPacking) {
  TextSlots<5> slots;
  std::array<WString, 5> expected;
  const auto store = [&](size_t i, const WString& text) {
    slots.Assign(i, text);
    expected[i] = text;
  };
  const auto check = [&](int round) {
    for (size_t i = 0; i < expected.size(); ++i) {
      ASSERT_EQ(WString(slots[i]), expected[i]) << "slot " << i << ", round " << round;
    }
  };
  EXPECT_TRUE(slots.AllEmpty());
  for (int round = 0; round < 300; ++round) {
    // Slot 0 grows every round, so that most of the buffer becomes unused.
    store(0,
          WString(static_cast<size_t>(round % 97 + 1), static_cast<char16_t>(u'a' + round % 26)));
    store(1 + round % 3, WString(static_cast<size_t>(round % 5), u'x'));  // shrinks and grows
    check(round);
  }
  // A slot copied from a view of another slot, also when it has to grow.
  slots.Assign(4, slots[0]);
  expected[4] = expected[0];
  slots.Assign(1, slots[4]);
  expected[1] = expected[4];
  slots.Assign(0, slots[0].substr(1));
  expected[0] = expected[0].substr(1);
  check(-1);
  for (size_t i = 0; i < expected.size(); ++i) slots.Clear(i);
  EXPECT_TRUE(slots.AllEmpty());
}

}  // namespace
}  // namespace rxTheme
