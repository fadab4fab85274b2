// The non-raising readings: the same values as the raising ones, and nothing where those raise.
#include <gtest/gtest.h>

#include <bit>

#include "automation/number_reading.h"

namespace orv::automation {
namespace {

TEST(TryReadings, WholeNumberGivesWhatTheReadingGivesOrNothing) {
    EXPECT_EQ(tryReadWholeNumber(Value(Text(u" 1 2.5x"))), 12);
    EXPECT_EQ(tryReadWholeNumber(Value(Text(u"&HFFFF"))), -1);
    EXPECT_EQ(tryReadWholeNumber(Value(Text(u"abc"))), 0);
    EXPECT_EQ(tryReadWholeNumber(Value()), 0);
    EXPECT_EQ(tryReadWholeNumber(Value(int32_t{-7})), -7);
    EXPECT_EQ(tryReadWholeNumber(Value(2.5)), 2);
    EXPECT_EQ(tryReadWholeNumber(Value(Text(u"1e12"))), std::nullopt);
    EXPECT_EQ(tryReadWholeNumber(Value(Text(u"&H100000000"))), std::nullopt);
    EXPECT_EQ(tryReadWholeNumber(Value(3e9)), std::nullopt);
    EXPECT_EQ(tryReadWholeNumber(Value(Text(u"2147483647.5"))), std::nullopt);
    EXPECT_EQ(tryReadWholeNumber(Value(Text(u"-2147483648.5"))), -2147483647 - 1);
}

TEST(TryReadings, LocaleNumberGivesWhatTheReadingGivesOrNothing) {
    EXPECT_EQ(tryReadLocaleNumber(Value(Text(u" 12,5 ")), {u','}), 12.5);
    EXPECT_EQ(tryReadLocaleNumber(Value(Text(u"12,5")), {u'.'}), std::nullopt);
    EXPECT_EQ(tryReadLocaleNumber(Value(Text(u"")), {}), std::nullopt);
    EXPECT_EQ(tryReadLocaleNumber(Value(), {}), std::nullopt);
    EXPECT_EQ(tryReadLocaleNumber(Value(Text(u"1e400")), {}), std::nullopt);
    EXPECT_EQ(tryReadLocaleNumber(Value(int32_t{4}), {}), 4.0);
    const double exact = 0.1 + 0.2;
    EXPECT_EQ(std::bit_cast<uint64_t>(*tryReadLocaleNumber(Value(exact), {})),
              std::bit_cast<uint64_t>(exact));
    EXPECT_EQ(std::bit_cast<uint64_t>(*tryReadLocaleNumber(Value(-0.0), {})), std::bit_cast<uint64_t>(-0.0));
}

}  // namespace
}  // namespace orv::automation
