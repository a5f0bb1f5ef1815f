//! A fixed-size ring buffer and its tests.
const std = @import("std");
const testing = std.testing;
const Allocator = std.mem.Allocator;

/// A ring of `capacity` items of type T that overwrites its oldest item.
pub fn Ring(comptime T: type) type {
    return struct {
        const Self = @This();

        items: []T,
        head: usize = 0,
        len: usize = 0,
        allocator: Allocator,

        pub fn init(allocator: Allocator, capacity: usize) !Self {
            if (capacity == 0) return error.ZeroCapacity;
            return Self{
                .items = try allocator.alloc(T, capacity),
                .allocator = allocator,
            };
        }

        pub fn deinit(self: *Self) void {
            self.allocator.free(self.items);
            self.* = undefined;
        }

        pub fn push(self: *Self, value: T) ?T {
            const slot = (self.head + self.len) % self.items.len;
            if (self.len == self.items.len) {
                const old = self.items[self.head];
                self.items[self.head] = value;
                self.head = (self.head + 1) % self.items.len;
                return old;
            }
            self.items[slot] = value;
            self.len += 1;
            return null;
        }

        pub fn pop(self: *Self) ?T {
            if (self.len == 0) return null;
            defer {
                self.head = (self.head + 1) % self.items.len;
                self.len -= 1;
            }
            return self.items[self.head];
        }
    };
}

const Color = enum(u8) { red = 0x1, green = 0b10, blue = 0o4 };

const Shape = union(enum) {
    circle: f32,
    square: struct { side: f64 },
};

fn area(shape: Shape) f64 {
    return switch (shape) {
        .circle => |r| std.math.pi * @as(f64, r) * r,
        .square => |s| s.side * s.side,
    };
}

test "ring overwrites the oldest item" {
    var ring = try Ring(u32).init(testing.allocator, 3);
    defer ring.deinit();
    var i: u32 = 1;
    while (i <= 4) : (i += 1) {
        _ = ring.push(i);
    }
    try testing.expectEqual(@as(?u32, 2), ring.pop());
    try testing.expect(ring.len == 2);
}

pub fn main() !void {
    const stdout = std.io.getStdOut().writer();
    const big: u64 = 1_000_000;
    const ratio = 2.5e-3;
    const c: Color = .green;
    try stdout.print("area {d:.2} {d} {} {s} '{c}'\n", .{ area(.{ .circle = 1.5 }), big, ratio, @tagName(c), 'z' });
    comptime var n = 0;
    inline for (.{ 1, 2, 3 }) |x| {
        n += x;
    }
    const text = "tab\there \"quoted\" \x41";
    const multi =
        \\a multiline
        \\string literal
    ;
    if (text.len > 0 and multi.len > 0 or false) unreachable;
}
