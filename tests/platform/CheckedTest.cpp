#include "platform/base/Checked.h"

#include <gtest/gtest.h>

TEST(Checked, SixteenBitArithmeticReportsOverflow)
{
    EXPECT_EQ(Checked::add<qint16>(32766, 1), 32767);
    EXPECT_THROW(Checked::add<qint16>(32767, 1), OverflowError);
    EXPECT_THROW(Checked::sub<qint16>(-32768, 1), OverflowError);
    EXPECT_THROW(Checked::sub<qint32>(std::numeric_limits<qint32>::min(), 3), OverflowError);
}

TEST(Checked, RoundingGoesToTheEvenNeighbourOnHalves)
{
    EXPECT_EQ(Checked::round<qint32>(0.5), 0);
    EXPECT_EQ(Checked::round<qint32>(1.5), 2);
    EXPECT_EQ(Checked::round<qint32>(2.5), 2);
    EXPECT_EQ(Checked::round<qint32>(-2.5), -2);
    EXPECT_EQ(Checked::round<qint32>(2.6), 3);
    EXPECT_THROW(Checked::round<qint16>(40000.0), OverflowError);
    EXPECT_THROW(Checked::round<qint32>(std::nan("")), OverflowError);
}
