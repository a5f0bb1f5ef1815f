#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/controls/window_test_support_win.h"

namespace {

constexpr int kClockId = 42;

struct Point {
    int x;
    int y;
};

// A client point of a 200 x 200 clock at a dial position counted in minutes.
Point AtMinute(double minutes, int radius = 70) {
    const double g = minutes * 3.14159265358979323846 / 30 - 3.14159265358979323846 / 2;
    return {100 + static_cast<int>(std::lround(std::cos(g) * radius)),
            100 + static_cast<int>(std::lround(std::sin(g) * radius))};
}

bool IsDark(COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80; }

class ClockWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(LoadTessellaAndRegister(), nullptr);
        host_ = new HostWindow(440, 240);
    }
    static void TearDownTestSuite() { delete host_; }
    void TearDown() override { host_->Reset(); }

    HWND CreateClock(int size, DWORD style = 0) {
        HWND clock = host_->CreateControl(CLOCK_CLASS_A, kClockId, 10, 10, size, size, style);
        EXPECT_NE(clock, nullptr);
        return clock;
    }

    void SetTime(HWND clock, int hour, int minute) {
        ClockTime time = {static_cast<BYTE>(hour), static_cast<BYTE>(minute)};
        EXPECT_EQ(SendMessageA(clock, CLKM_SETTIME, 1, reinterpret_cast<LPARAM>(&time)), 1);
        ShowNow(clock);
    }

    ClockTime GetTime(HWND clock) {
        ClockTime time = {};
        EXPECT_EQ(SendMessageA(clock, CLKM_GETTIME, 0, reinterpret_cast<LPARAM>(&time)), 0);
        return time;
    }

    void Drag(HWND clock, double fromMinutes, std::initializer_list<double> path) {
        const Point start = AtMinute(fromMinutes);
        SendMouse(clock, WM_LBUTTONDOWN, start.x, start.y);
        EXPECT_EQ(GetCapture(), clock);
        Point last = start;
        for (double minutes : path) {
            last = AtMinute(minutes);
            SendMouse(clock, WM_MOUSEMOVE, last.x, last.y);
        }
        SendMouse(clock, WM_LBUTTONUP, last.x, last.y);
        EXPECT_EQ(GetCapture(), nullptr);
    }

    static HostWindow* host_;
};

HostWindow* ClockWindow::host_ = nullptr;

}  // namespace

TEST_F(ClockWindow, AnswersItsMessages) {
    HWND clock = CreateClock(200);
    const ClockTime start = GetTime(clock);
    EXPECT_EQ(start.hour, 8);
    EXPECT_EQ(start.minute, 0);
    EXPECT_EQ(SendMessageA(clock, CLKM_GETMINUTESTEP, 0, 0), 5);
    EXPECT_EQ(SendMessageA(clock, CLKM_GETTOLERANCE, 0, 0), 3);
    EXPECT_EQ(SendMessageA(clock, CLKM_GETFLAGS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(clock, CLKM_SETMINUTESTEP, 1, 0), 5);
    EXPECT_EQ(SendMessageA(clock, CLKM_SETTOLERANCE, 4, 0), 3);
    EXPECT_EQ(SendMessageA(clock, CLKM_GETTOLERANCE, 0, 0), 4);
    EXPECT_EQ(SendMessageA(clock, CLKM_MODIFYFLAGS, MAKEWPARAM(0, 1), CLKF_READONLY), 0);
    EXPECT_EQ(SendMessageA(clock, CLKM_MODIFYFLAGS, MAKEWPARAM(0, 1), CLKF_READONLY), CLKF_READONLY);
    EXPECT_EQ(SendMessageA(clock, CLKM_MODIFYFLAGS, MAKEWPARAM(0, 0), CLKF_READONLY), CLKF_READONLY);
    EXPECT_EQ(SendMessageA(clock, CLKM_SETFLAGS, 0, 0x300), 0);
    EXPECT_EQ(SendMessageA(clock, CLKM_GETFLAGS, 0, 0), 0x300);
    EXPECT_EQ(SendMessageA(clock, CLKM_GETTIME, 0, 0), 0);
    EXPECT_EQ(SendMessageA(clock, CLKM_SETTIME, 1, 0), 1);
}

TEST_F(ClockWindow, SetTimeNotifiesNothing) {
    HWND clock = CreateClock(200);
    SetTime(clock, 8, 0);
    SetTime(clock, 17, 45);
    const ClockTime now = GetTime(clock);
    EXPECT_EQ(now.hour, 17);
    EXPECT_EQ(now.minute, 45);
    EXPECT_TRUE(host_->notices().empty());
}

TEST_F(ClockWindow, MinuteHandDragsOverTwelveBothWays) {
    HWND clock = CreateClock(200);
    SetTime(clock, 23, 55);
    Drag(clock, 55, {5, 55});
    ASSERT_EQ(host_->notices().size(), 2u);
    EXPECT_EQ(host_->notices()[0].hour, 0);
    EXPECT_EQ(host_->notices()[0].minute, 5);
    EXPECT_EQ(host_->notices()[1].hour, 23);
    EXPECT_EQ(host_->notices()[1].minute, 55);
    const ReceivedNotice& notice = host_->notices()[1];
    EXPECT_EQ(notice.wParam, static_cast<WPARAM>(kClockId));
    EXPECT_EQ(notice.header.hwndFrom, clock);
    EXPECT_EQ(notice.header.idFrom, static_cast<UINT_PTR>(kClockId));
    EXPECT_EQ(notice.header.code, static_cast<UINT>(CLKN_TIMECHANGED));
}

TEST_F(ClockWindow, HourHandDragsOverTwelveBothWays) {
    HWND clock = CreateClock(200);
    SetTime(clock, 11, 0);
    Drag(clock, 55, {0, 5});  // 11 -> 12 -> 13
    SetTime(clock, 1, 0);
    Drag(clock, 5, {0, 55});  // 1 -> 0 -> 23
    ASSERT_EQ(host_->notices().size(), 4u);
    EXPECT_EQ(host_->notices()[0].hour, 12);
    EXPECT_EQ(host_->notices()[1].hour, 13);
    EXPECT_EQ(host_->notices()[2].hour, 0);
    EXPECT_EQ(host_->notices()[3].hour, 23);
}

TEST_F(ClockWindow, ClickOnTheFaceMovesTheHourHand) {
    HWND clock = CreateClock(200);
    SetTime(clock, 22, 0);
    const Point two = AtMinute(10);
    SendMouse(clock, WM_LBUTTONDOWN, two.x, two.y);
    EXPECT_EQ(GetCapture(), clock);
    SendMouse(clock, WM_LBUTTONUP, two.x, two.y);
    ASSERT_EQ(host_->notices().size(), 1u);
    EXPECT_EQ(host_->notices()[0].hour, 2);

    const Point eight = AtMinute(40);
    const Point nine = AtMinute(45);
    SendMouse(clock, WM_LBUTTONDOWN, eight.x, eight.y);
    SendMouse(clock, WM_LBUTTONUP, nine.x, nine.y);
    SendMouse(clock, WM_LBUTTONDOWN, 100, 100);
    SendMouse(clock, WM_LBUTTONUP, 100, 100);
    EXPECT_EQ(host_->notices().size(), 1u);
}

TEST_F(ClockWindow, ReadOnlyClockIgnoresTheMouse) {
    HWND clock = CreateClock(200);
    SetTime(clock, 23, 55);
    SendMessageA(clock, CLKM_MODIFYFLAGS, MAKEWPARAM(0, 1), CLKF_READONLY);
    const Point hand = AtMinute(55);
    SendMouse(clock, WM_LBUTTONDOWN, hand.x, hand.y);
    EXPECT_EQ(GetCapture(), nullptr);
    const Point five = AtMinute(5);
    SendMouse(clock, WM_MOUSEMOVE, five.x, five.y);
    SendMouse(clock, WM_LBUTTONUP, five.x, five.y);
    const Point two = AtMinute(10);
    SendMouse(clock, WM_LBUTTONDOWN, two.x, two.y);
    SendMouse(clock, WM_LBUTTONUP, two.x, two.y);
    EXPECT_TRUE(host_->notices().empty());
    EXPECT_EQ(GetTime(clock).hour, 23);
    EXPECT_EQ(GetTime(clock).minute, 55);
}

TEST_F(ClockWindow, LosingTheCaptureStopsTheDrag) {
    HWND clock = CreateClock(200);
    SetTime(clock, 10, 0);
    const Point hand = AtMinute(0);
    SendMouse(clock, WM_LBUTTONDOWN, hand.x, hand.y);
    SetCapture(host_->handle());
    ReleaseCapture();
    const Point other = AtMinute(20);
    SendMessageA(clock, WM_MOUSEMOVE, 0, MAKELPARAM(other.x, other.y));
    EXPECT_TRUE(host_->notices().empty());
    EXPECT_EQ(GetTime(clock).minute, 0);
}

TEST_F(ClockWindow, NumeralsAreDrawnAroundTheirCentres) {
    HWND clock = CreateClock(200);
    SetTime(clock, 1, 37);  // both hands clear of the six numerals checked
    const Point centres[] = {{186, 100}, {100, 186}, {15, 100}, {100, 15}, {143, 27}, {174, 58}};
    for (const Point& c : centres) {
        int left = 1000, right = -1, top = 1000, bottom = -1;
        for (int y = c.y - 12; y < c.y + 12; ++y) {
            for (int x = c.x - 12; x < c.x + 12; ++x) {
                if (!IsDark(ReadPixel(clock, x, y))) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        ASSERT_GE(right, left) << "no numeral ink near " << c.x << "," << c.y;
        EXPECT_NEAR((left + right) / 2.0, c.x, 2.5) << c.x << "," << c.y;
        EXPECT_NEAR((top + bottom) / 2.0, c.y, 3.5) << c.x << "," << c.y;
    }
}

TEST_F(ClockWindow, SmallFaceShowsGrayMarks) {
    HWND clock = CreateClock(120);
    const COLORREF gray = RGB(128, 128, 128);
    // Mark 1 is the square (81, 19) - (85, 23); mark 4 lies opposite 10.
    for (int y = 19; y < 23; ++y) {
        for (int x = 81; x < 85; ++x) EXPECT_EQ(ReadPixel(clock, x, y), gray) << x << "," << y;
    }
    EXPECT_EQ(ReadPixel(clock, 60 + 40, 60 + 23), gray);  // mark 4 at (100, 83)
    bool numeralInk = false;
    for (int y = 52; y < 68; ++y) {
        for (int x = 98; x < 114; ++x) numeralInk = numeralInk || IsDark(ReadPixel(clock, x, y));
    }
    EXPECT_TRUE(numeralInk);  // the 3 stays a numeral
}

TEST_F(ClockWindow, HandColoursOfEnabledAndDisabledClocks) {
    HWND enabled = CreateClock(200);
    SetTime(enabled, 3, 0);
    EXPECT_EQ(ReadPixel(enabled, 115, 97), RGB(200, 200, 255));  // hour hand body, upper half
    EXPECT_EQ(ReadPixel(enabled, 115, 103), RGB(128, 128, 255));  // shaded lower half
    EXPECT_EQ(ReadPixel(enabled, 60, 140), RGB(255, 255, 255));   // dial
    EXPECT_EQ(ReadPixel(enabled, 0, 0), GetSysColor(COLOR_MENUBAR));
    DestroyWindow(enabled);

    HWND disabled = CreateClock(200, WS_DISABLED);
    SetTime(disabled, 3, 0);
    EXPECT_EQ(ReadPixel(disabled, 115, 97), RGB(200, 200, 200));
    EXPECT_EQ(ReadPixel(disabled, 115, 103), RGB(128, 128, 128));
    EXPECT_EQ(ReadPixel(disabled, 60, 140), RGB(192, 192, 192));
    EnableWindow(disabled, TRUE);  // the colours were chosen at creation
    SetTime(disabled, 3, 5);
    EXPECT_EQ(ReadPixel(disabled, 115, 97), RGB(200, 200, 200));
}

TEST_F(ClockWindow, FrameFlagRedrawsTheFace) {
    HWND clock = CreateClock(200);
    EXPECT_EQ(ReadPixel(clock, 0, 0), GetSysColor(COLOR_MENUBAR));
    SendMessageA(clock, CLKM_MODIFYFLAGS, MAKEWPARAM(1, 1), CLKF_FRAME);
    ShowNow(clock);
    EXPECT_EQ(ReadPixel(clock, 0, 0), RGB(64, 64, 64));
    EXPECT_EQ(ReadPixel(clock, 199, 199), RGB(64, 64, 64));
    SendMessageA(clock, CLKM_MODIFYFLAGS, MAKEWPARAM(1, 0), CLKF_FRAME);
    ShowNow(clock);
    EXPECT_EQ(ReadPixel(clock, 0, 0), GetSysColor(COLOR_MENUBAR));
}
