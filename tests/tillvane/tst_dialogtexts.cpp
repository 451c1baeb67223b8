// Texts the settings window derives from settings and from the system.
#include "comportitem.h"
#include "serviceaddress.h"

#include <gtest/gtest.h>

TEST(ServiceAddress, NamesTheTransactionPathWithThePortUnlessItIs80)
{
    EXPECT_EQ(serviceAddress(8888), "http://127.0.0.1:8888/kovra/v2/dotrans/");
    EXPECT_EQ(serviceAddress(80), "http://127.0.0.1/kovra/v2/dotrans/");
    EXPECT_EQ(serviceAddress(8080), "http://127.0.0.1:8080/kovra/v2/dotrans/");
}

TEST(ComPortItem, IsTheFirstRunOfDigitsOrZero)
{
    const struct {
        const char* portName;
        const char* item;
    } cases[] = {
        {"COM3", "3"}, {"COM12", "12"}, {"ttyUSB0", "0"}, {"ttyS1", "1"}, {"rfcomm", "0"}, {"", "0"},
        {"tty2x5", "2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(comPortItem(QString::fromLatin1(c.portName)), QString::fromLatin1(c.item)) << c.portName;
}
