#include "app/AppPath.h"

#include <gtest/gtest.h>

using zelmora::GetAppPath;

TEST(GetAppPathTest, EndsInExactlyOneSeparator)
{
    EXPECT_EQ(GetAppPath(QStringLiteral("/opt/Programs/X")), QStringLiteral("/opt/Programs/X/"));
    EXPECT_EQ(GetAppPath(QStringLiteral("/opt/Programs/X/")), QStringLiteral("/opt/Programs/X/"));
    EXPECT_EQ(GetAppPath(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(GetAppPath(QStringLiteral("  /opt/X  ")), QStringLiteral("/opt/X/"));
}
