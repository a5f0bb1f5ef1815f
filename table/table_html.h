#pragma once
// The HTML of an empty table, in the colours the HTML pane shows it in.
#include "config/color.h"
#include "engine/output_sink.h"
#include "table/table_options.h"

constexpr ColorRef kTableTagColor = MakeRgb(0, 0, 255);
constexpr ColorRef kTableAttributeColor = MakeRgb(128, 128, 128);  // names, equals signs, quotes
constexpr ColorRef kTableValueColor = MakeRgb(255, 0, 0);
constexpr ColorRef kTableContentColor = MakeRgb(0, 0, 0);  // the caption and the prefilled characters

// Writes the table the options describe into the sink; never bold. The
// caption and the values go out as the user typed them, unescaped: the user
// writes HTML there on purpose.
void GenerateTableHtml(const TableOptions& options, OutputSink& sink);
