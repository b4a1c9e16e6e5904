#include "KeyCapture.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyCapture, KeysInANumberEditTakeTheOrdinaryPath) {
    for (unsigned key : {0x0Du, 0x1Bu, 0x09u, 0x31u}) {
        EXPECT_EQ(DecideKeyCapture(true, "Edit", key), KeyCaptureAction::PassOn) << key;
    }
}

TEST(KeyCapture, OnlyTheExactEditClassIsExempt) {
    EXPECT_EQ(DecideKeyCapture(true, "edit", 0x41), KeyCaptureAction::Capture);
    EXPECT_EQ(DecideKeyCapture(true, "EditBox", 0x41), KeyCaptureAction::Capture);
    EXPECT_EQ(DecideKeyCapture(true, "Button", 0x41), KeyCaptureAction::Capture);
    EXPECT_EQ(DecideKeyCapture(true, "ComboBox", 0x41), KeyCaptureAction::Capture);
    EXPECT_EQ(DecideKeyCapture(true, "", 0x41), KeyCaptureAction::Capture);
}

TEST(KeyCapture, EnterEscTabAndF4AreCapturedOutsideTheEdits) {
    for (unsigned key : {0x0Du, 0x1Bu, 0x09u, 0x73u}) {
        EXPECT_EQ(DecideKeyCapture(true, "Button", key), KeyCaptureAction::Capture) << key;
    }
}

TEST(KeyCapture, ModifiersAloneAreSwallowed) {
    for (unsigned key : {16u, 17u, 18u}) {
        EXPECT_EQ(DecideKeyCapture(true, "Button", key), KeyCaptureAction::Swallow) << key;
    }
    // The left/right variants are keys of their own.
    EXPECT_EQ(DecideKeyCapture(true, "Button", 0xA0), KeyCaptureAction::Capture);
}

TEST(KeyCapture, OtherMessagesTakeTheOrdinaryPath) {
    EXPECT_EQ(DecideKeyCapture(false, "Button", 0x41), KeyCaptureAction::PassOn);
    EXPECT_EQ(DecideKeyCapture(false, "Button", 17), KeyCaptureAction::PassOn);
}

} // namespace
