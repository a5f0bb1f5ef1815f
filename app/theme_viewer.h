#pragma once
// What the theme viewer shows for a colour role: its label in the role list
// and its colour's red, green and blue bytes as text.
#include "base/wide.h"
#include "config/color.h"

// "普通文本", "背景", ... in role order; the list's item i is role i.
WStringView ColorRoleLabel(ColorRole role);

// "( 0xRR, 0xGG, 0xBB )", red first although it is the value's low byte.
WString ColorComponentsText(ColorRef color);
