#include <algorithm>

#include "app/center_dialog.h"

// The dialog sits a caption button's width left of centre, a third of the way
// down its owner's free height, and is pulled back onto the screen.
DialogPosition CenterDialogPosition(const CenterDialogInput& in) {
    int shift = in.captionButtonWidth;
    if (!in.hasSystemMenu) shift -= shift / 3;
    int x = in.parentLeft + std::max(0, (in.parentRight - in.parentLeft) - in.width) / 2 - shift;
    if (x + in.width > in.screenWidth) x = std::max(0, in.screenWidth - in.width);
    int y = in.parentTop + std::max(0, (in.parentBottom - in.parentTop) - in.height) / 3;
    if (y + in.height > in.screenHeight) y = std::max(0, in.screenHeight - in.height);
    return {x, y};
}
