const std = @import("std");
const Allocator = std.mem.Allocator;
const testing = std.testing;

/// A growable stack of T that owns its memory.
pub fn Stack(comptime T: type) type {
    return struct {
        const Self = @This();

        items: []T,
        len: usize,
        allocator: Allocator,

        pub fn init(allocator: Allocator) Self {
            return .{ .items = &[_]T{}, .len = 0, .allocator = allocator };
        }

        pub fn deinit(self: *Self) void {
            self.allocator.free(self.items);
            self.* = undefined;
        }

        pub fn push(self: *Self, value: T) !void {
            if (self.len == self.items.len) {
                const capacity = if (self.items.len == 0) 8 else self.items.len * 2;
                self.items = try self.allocator.realloc(self.items, capacity);
            }
            self.items[self.len] = value;
            self.len += 1;
        }

        pub fn pop(self: *Self) ?T {
            if (self.len == 0) return null;
            self.len -= 1;
            return self.items[self.len];
        }

        pub fn peek(self: Self) ?T {
            return if (self.len == 0) null else self.items[self.len - 1];
        }
    };
}

/// Checks that brackets balance; returns the index of the first one that does not.
pub fn firstUnbalanced(allocator: Allocator, text: []const u8) !?usize {
    var open = Stack(struct { char: u8, at: usize }).init(allocator);
    defer open.deinit();
    for (text, 0..) |c, i| {
        switch (c) {
            '(', '[', '{' => try open.push(.{ .char = c, .at = i }),
            ')', ']', '}' => {
                const expected: u8 = switch (c) {
                    ')' => '(',
                    ']' => '[',
                    else => '{',
                };
                const top = open.pop() orelse return i;
                if (top.char != expected) return i;
            },
            else => {},
        }
    }
    return if (open.peek()) |left| left.at else null;
}

test "stack grows and shrinks" {
    var stack = Stack(i32).init(testing.allocator);
    defer stack.deinit();
    var i: i32 = 0;
    while (i < 20) : (i += 1) try stack.push(i * i);
    try testing.expectEqual(@as(?i32, 361), stack.pop());
    try testing.expectEqual(@as(usize, 19), stack.len);
}

test "brackets" {
    try testing.expectEqual(@as(?usize, null), try firstUnbalanced(testing.allocator, "f(a[1], {b})"));
    try testing.expectEqual(@as(?usize, 3), try firstUnbalanced(testing.allocator, "(a]"));
    try testing.expectEqual(@as(?usize, 0), try firstUnbalanced(testing.allocator, "(("));
}
