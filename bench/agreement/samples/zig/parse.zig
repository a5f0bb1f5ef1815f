const std = @import("std");
const mem = std.mem;
const fmt = std.fmt;

pub const ParseError = error{
    Empty,
    BadNumber,
    TooManyFields,
};

pub const Point = struct {
    x: i32,
    y: i32,

    pub fn distance2(self: Point, other: Point) u64 {
        const dx: i64 = self.x - other.x;
        const dy: i64 = self.y - other.y;
        return @intCast(dx * dx + dy * dy);
    }

    pub fn format(self: Point, comptime f: []const u8, options: fmt.FormatOptions, writer: anytype) !void {
        _ = f;
        _ = options;
        try writer.print("({d}, {d})", .{ self.x, self.y });
    }
};

/// Parses "x,y" into a point.
pub fn parsePoint(text: []const u8) ParseError!Point {
    const trimmed = mem.trim(u8, text, " \t");
    if (trimmed.len == 0) return ParseError.Empty;
    var it = mem.splitScalar(u8, trimmed, ',');
    var values: [2]i32 = undefined;
    var count: usize = 0;
    while (it.next()) |field| : (count += 1) {
        if (count >= values.len) return ParseError.TooManyFields;
        values[count] = fmt.parseInt(i32, mem.trim(u8, field, " "), 10) catch return ParseError.BadNumber;
    }
    if (count != 2) return ParseError.BadNumber;
    return .{ .x = values[0], .y = values[1] };
}

test "parse a point" {
    const p = try parsePoint(" 3, -4 ");
    try std.testing.expectEqual(@as(i32, -4), p.y);
    try std.testing.expectError(ParseError.Empty, parsePoint("   "));
    try std.testing.expectError(ParseError.TooManyFields, parsePoint("1,2,3"));
}

pub fn main() !void {
    var gpa = std.heap.GeneralPurposeAllocator(.{}){};
    defer _ = gpa.deinit();
    const allocator = gpa.allocator();
    var points = std.ArrayList(Point).init(allocator);
    defer points.deinit();
    for ([_][]const u8{ "0,0", "3,4", "bad", "-1, 1" }) |line| {
        const p = parsePoint(line) catch |err| {
            std.debug.print("skipping '{s}': {s}\n", .{ line, @errorName(err) });
            continue;
        };
        try points.append(p);
    }
    const origin = Point{ .x = 0, .y = 0 };
    for (points.items, 0..) |p, i| {
        std.debug.print("{d}: {} at {d}\n", .{ i, p, p.distance2(origin) });
    }
}
