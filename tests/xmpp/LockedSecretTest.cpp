#include "platform/messenger/xmpp/LockedSecret.h"

#include <QFile>
#include <gtest/gtest.h>

#include <memory>

// A password kept for the session: the same bytes back, in memory no core dump holds.

namespace {

// The areas of this process's memory that a core dump leaves out.
int areasLeftOutOfDumps()
{
    QFile maps(QStringLiteral("/proc/self/smaps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    int count = 0;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        if (line.startsWith("VmFlags:") && line.split(' ').contains("dd"))
            ++count;
    }
    return count;
}

} // namespace

TEST(LockedSecret, GivesBackExactlyWhatItKeeps)
{
    const char raw[] = "contraseña\0con nulo y \xff";
    const QByteArray password(raw, sizeof raw - 1);
    const LockedSecret kept(password);
    EXPECT_EQ(kept.copy(), password);
    EXPECT_EQ(LockedSecret(QByteArray()).copy(), QByteArray());
    // Longer than a page of its own.
    const QByteArray longer(10000, 'x');
    EXPECT_EQ(LockedSecret(longer).copy(), longer);
}

TEST(LockedSecret, ItsMemoryIsLeftOutOfCoreDumpsWhileItLives)
{
    const int before = areasLeftOutOfDumps();
    ASSERT_GE(before, 0);
    auto kept = std::make_unique<LockedSecret>(QByteArray("secreto"));
    EXPECT_EQ(areasLeftOutOfDumps(), before + 1);
    kept.reset();
    EXPECT_EQ(areasLeftOutOfDumps(), before);
}
