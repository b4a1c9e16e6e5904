// The ports' slots are looked up in a list of the open ports that every
// change of the ports makes anew: a port that closed, moved or was replaced
// must not keep its old slot there.
#include "PortDevices.h"

#include <gtest/gtest.h>

TEST(PortDevicesTest, EveryChangeOfThePortsIsSeenByTheNextLookUp) {
    CPortDevices ports;
    EXPECT_EQ(ports.SlotOf(0), 0) << "no port open";
    ports.Assign(1, 0x1001);
    ports.Assign(2, 0x2002);
    ports.Assign(8, 0x8008);
    EXPECT_EQ(ports.SlotOf(0x1001), 1);
    EXPECT_EQ(ports.SlotOf(0x2002), 2);
    EXPECT_EQ(ports.SlotOf(0x8008), 8);
    EXPECT_EQ(ports.SlotOf(0x3003), 0) << "a port of no slot";

    ports.Forget(1);
    EXPECT_EQ(ports.SlotOf(0x1001), 0) << "closed";
    EXPECT_EQ(ports.SlotOf(0x2002), 2);

    ports.Assign(2, 0x2222);
    EXPECT_EQ(ports.SlotOf(0x2002), 0) << "the slot's old port was replaced";
    EXPECT_EQ(ports.SlotOf(0x2222), 2);

    ports.Assign(3, 0x8008);
    EXPECT_EQ(ports.SlotOf(0x8008), 3) << "a port given to another slot leaves its old one";
    ports.Forget(8);
    EXPECT_EQ(ports.SlotOf(0x8008), 3) << "forgetting the old slot leaves the port's new one";

    ports.Assign(0, 0x9009);
    ports.Assign(9, 0x9009);
    ports.Forget(0);
    ports.Forget(9);
    EXPECT_EQ(ports.SlotOf(0x9009), 0) << "slots beyond 1..8 are ignored";
    EXPECT_EQ(ports.SlotOf(0x2222), 2);
}
