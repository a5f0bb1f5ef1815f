#include <gtest/gtest.h>

#include "controls/frame/class_registration_win.h"
#include "controls/frame/state_memory_win.h"
#include "tests/controls/window_test_support_win.h"

namespace {

// Windows whose state could not be allocated: they must live on as plain
// windows that paint their background and otherwise do nothing.
class MissingState : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        HINSTANCE self = GetModuleHandleA(nullptr);
        ASSERT_NE(RegisterSliderClass(self), 0);
        ASSERT_NE(RegisterClockClass(self), 0);
        ASSERT_NE(RegisterMultiSelectClass(self), 0);
        host_ = new HostWindow(400, 300);
    }
    static void TearDownTestSuite() { delete host_; }
    void SetUp() override { FailStateAllocationsForTesting(true); }
    void TearDown() override {
        FailStateAllocationsForTesting(false);
        host_->Reset();
    }

    static HostWindow* host_;
};

HostWindow* MissingState::host_ = nullptr;

}  // namespace

TEST_F(MissingState, SliderIsAPlainBar) {
    HWND slider = host_->CreateControl(VBSLIDER_CLASS_A, 509, 10, 100, 300, 6);
    ASSERT_NE(slider, nullptr);
    SendMessageA(slider, VBSM_SETORIENTATION, 1, 0);
    EXPECT_EQ(SendMessageA(slider, VBSM_GETLIMITS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(slider, VBSM_SETLIMITS, 3, MAKELPARAM(5, 5)), 0);
    SendMouse(slider, WM_LBUTTONDOWN, 50, 3);
    EXPECT_EQ(GetCapture(), nullptr);
    SendMouse(slider, WM_MOUSEMOVE, 50, 10);
    SendMouse(slider, WM_LBUTTONUP, 50, 10);
    EXPECT_TRUE(host_->notices().empty());
    ShowNow(slider);
    EXPECT_EQ(ReadPixel(slider, 138, 2), GetSysColor(COLOR_MENUBAR));  // where a grip dot would be
    EXPECT_TRUE(DestroyWindow(slider));
}

TEST_F(MissingState, ClockIsAPlainWindow) {
    HWND clock = host_->CreateControl(CLOCK_CLASS_A, 42, 10, 10, 200, 200);
    ASSERT_NE(clock, nullptr);
    ClockTime time = {3, 0};
    EXPECT_EQ(SendMessageA(clock, CLKM_SETTIME, 1, reinterpret_cast<LPARAM>(&time)), 0);
    EXPECT_EQ(SendMessageA(clock, CLKM_GETMINUTESTEP, 0, 0), 0);
    SendMouse(clock, WM_LBUTTONDOWN, 170, 100);
    EXPECT_EQ(GetCapture(), nullptr);
    SendMouse(clock, WM_LBUTTONUP, 170, 100);
    EXPECT_TRUE(host_->notices().empty());
    ShowNow(clock);
    EXPECT_EQ(ReadPixel(clock, 100, 50), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(DestroyWindow(clock));
}

// A multi-select control without its building could answer no message: its
// creation fails, so the host sees null rather than a window that ignores it.
TEST_F(MissingState, MultiSelectIsNotCreated) {
    EXPECT_EQ(host_->CreateControl(TESSELLA_CLASS_A, 43, 10, 10, 200, 200), nullptr);
}
