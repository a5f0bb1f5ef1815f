#include <gtest/gtest.h>

#include "tests/controls/window_test_support_win.h"

namespace {

constexpr int kSliderId = 509;
constexpr int kBarLeft = 10;
constexpr int kBarTop = 100;

COLORREF Inverted(COLORREF colour) { return ~colour & 0xFFFFFF; }

class SliderWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(LoadTessellaAndRegister(), nullptr);
        host_ = new HostWindow(820, 200);
    }
    static void TearDownTestSuite() { delete host_; }
    void TearDown() override { host_->Reset(); }

    void SetUp() override {
        slider_ = host_->CreateControl(VBSLIDER_CLASS_A, kSliderId, kBarLeft, kBarTop, 800, 6);
        ASSERT_NE(slider_, nullptr);
    }

    void MakeHorizontal() {
        SendMessageA(slider_, VBSM_SETORIENTATION, 1, 0);
        ShowNow(host_->handle());
    }

    // A host pixel left of the grip, on the row of a slider client y.
    COLORREF HostRow(int sliderY) { return ReadPixel(host_->handle(), kBarLeft + 100, kBarTop + sliderY); }
    COLORREF HostRowBelow(int sliderY) { return ReadPixel(host_->handle(), 300, kBarTop + sliderY); }

    static HostWindow* host_;
    HWND slider_ = nullptr;
};

HostWindow* SliderWindow::host_ = nullptr;

}  // namespace

TEST_F(SliderWindow, AnswersItsMessages) {
    EXPECT_EQ(SendMessageA(slider_, VBSM_GETLIMITS, 0, 0), MAKELRESULT(20, 20));
    EXPECT_EQ(SendMessageA(slider_, VBSM_GETORIENTATION, 0, 0), 0);
    EXPECT_EQ(SendMessageA(slider_, VBSM_SETLIMITS, 3, MAKELPARAM(16, 48)), 1);
    EXPECT_EQ(SendMessageA(slider_, VBSM_GETLIMITS, 0, 0), MAKELRESULT(16, 48));
    EXPECT_EQ(SendMessageA(slider_, VBSM_SETLIMITS, 0, MAKELPARAM(1, 1)), 1);
    EXPECT_EQ(SendMessageA(slider_, VBSM_GETLIMITS, 0, 0), MAKELRESULT(16, 48));
    EXPECT_EQ(SendMessageA(slider_, VBSM_SETORIENTATION, 5, 0), 1);
    EXPECT_EQ(SendMessageA(slider_, VBSM_GETORIENTATION, 0, 0), 5);
    if constexpr (sizeof(WPARAM) > 4) {
        SendMessageA(slider_, VBSM_SETORIENTATION, static_cast<WPARAM>(uint64_t{1} << 32), 0);
        EXPECT_NE(SendMessageA(slider_, VBSM_GETORIENTATION, 0, 0), 0) << "non-zero wParam, zero low half";
    }
}

TEST_F(SliderWindow, PaintsTheGripOfAHorizontalBar) {
    MakeHorizontal();
    const COLORREF gray = RGB(128, 128, 128);
    const COLORREF white = RGB(255, 255, 255);
    for (int x : {387, 393, 399, 405, 411}) {
        EXPECT_EQ(ReadPixel(slider_, x, 2), gray) << x;
        EXPECT_EQ(ReadPixel(slider_, x + 1, 3), gray) << x;
        EXPECT_EQ(ReadPixel(slider_, x + 1, 4), white) << x;
        EXPECT_EQ(ReadPixel(slider_, x + 2, 4), white) << x;
        EXPECT_EQ(ReadPixel(slider_, x + 2, 3), white) << x;
        EXPECT_EQ(ReadPixel(slider_, x + 2, 2), GetSysColor(COLOR_MENUBAR)) << x;  // the line ends are not drawn
    }
    EXPECT_EQ(ReadPixel(slider_, 0, 0), GetSysColor(COLOR_MENUBAR));
}

TEST_F(SliderWindow, DragDrawsOneLineAndNotifiesOnceAtRelease) {
    MakeHorizontal();
    const COLORREF barRow = HostRow(3);
    const COLORREF belowBar = HostRowBelow(10);

    EXPECT_EQ(SendMouse(slider_, WM_LBUTTONDOWN, 50, 3), 0);
    EXPECT_EQ(GetCapture(), slider_);
    EXPECT_EQ(HostRow(3), Inverted(barRow));  // the line runs on the bar's centre row

    EXPECT_EQ(SendMouse(slider_, WM_MOUSEMOVE, 50, 10), 0);
    EXPECT_EQ(HostRow(3), barRow);
    EXPECT_EQ(HostRowBelow(10), Inverted(belowBar));

    EXPECT_EQ(SendMouse(slider_, WM_MOUSEMOVE, 50, 30), 0);  // beyond the forward limit
    EXPECT_EQ(HostRowBelow(10), Inverted(belowBar));
    EXPECT_EQ(SendMouse(slider_, WM_MOUSEMOVE, 90, 10), 1);  // along the bar only
    EXPECT_EQ(HostRowBelow(10), Inverted(belowBar));
    EXPECT_TRUE(host_->notices().empty());

    EXPECT_EQ(SendMouse(slider_, WM_LBUTTONUP, 50, 30), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(HostRowBelow(10), belowBar);
    ASSERT_EQ(host_->notices().size(), 1u);
    const ReceivedNotice& notice = host_->notices()[0];
    EXPECT_EQ(notice.wParam, static_cast<WPARAM>(kSliderId));
    EXPECT_EQ(notice.header.hwndFrom, slider_);
    EXPECT_EQ(notice.header.idFrom, static_cast<UINT_PTR>(kSliderId));
    EXPECT_EQ(notice.header.code, static_cast<UINT>(VBSN_MOVED));
    EXPECT_EQ(notice.delta, 7);
}

TEST_F(SliderWindow, VerticalBarReportsLeftwardDrags) {
    HWND bar = host_->CreateControl(VBSLIDER_CLASS_A, 7, 400, 20, 6, 60);
    SendMessageA(bar, VBSM_SETLIMITS, 1, MAKELPARAM(0, 15));
    SendMouse(bar, WM_LBUTTONDOWN, 3, 30);
    SendMouse(bar, WM_MOUSEMOVE, -12, 30);
    SendMouse(bar, WM_MOUSEMOVE, -20, 31);  // too far left: ignored
    SendMouse(bar, WM_LBUTTONUP, -20, 31);
    ASSERT_EQ(host_->notices().size(), 1u);
    EXPECT_EQ(host_->notices()[0].delta, -15);
    EXPECT_EQ(host_->notices()[0].wParam, 7u);
}

TEST_F(SliderWindow, ReleaseWithoutPressAndDragInPlace) {
    MakeHorizontal();
    EXPECT_EQ(SendMouse(slider_, WM_MOUSEMOVE, 50, 10), 0);
    SendMouse(slider_, WM_LBUTTONUP, 50, 10);
    EXPECT_TRUE(host_->notices().empty());

    SendMouse(slider_, WM_LBUTTONDOWN, 50, 3);
    SendMouse(slider_, WM_LBUTTONUP, 50, 3);
    ASSERT_EQ(host_->notices().size(), 1u);
    EXPECT_EQ(host_->notices()[0].delta, 0);
}

TEST_F(SliderWindow, LosingTheCaptureEndsTheDragAndErasesTheLine) {
    MakeHorizontal();
    const COLORREF belowBar = HostRowBelow(10);
    SendMouse(slider_, WM_LBUTTONDOWN, 50, 3);
    SendMouse(slider_, WM_MOUSEMOVE, 50, 10);
    ASSERT_EQ(HostRowBelow(10), Inverted(belowBar));

    SetCapture(host_->handle());
    EXPECT_EQ(HostRowBelow(10), belowBar);
    ReleaseCapture();
    EXPECT_EQ(SendMouse(slider_, WM_MOUSEMOVE, 50, 12), 0);
    EXPECT_EQ(HostRowBelow(12), belowBar);
    SendMouse(slider_, WM_LBUTTONUP, 50, 12);
    EXPECT_TRUE(host_->notices().empty());
}
