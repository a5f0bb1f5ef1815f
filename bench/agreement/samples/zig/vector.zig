const std = @import("std");
const math = std.math;

pub const Vec3 = extern struct {
    x: f32,
    y: f32,
    z: f32,

    pub const zero = Vec3{ .x = 0, .y = 0, .z = 0 };
    pub const up = Vec3{ .x = 0, .y = 1, .z = 0 };

    pub fn add(a: Vec3, b: Vec3) Vec3 {
        return .{ .x = a.x + b.x, .y = a.y + b.y, .z = a.z + b.z };
    }

    pub fn scale(a: Vec3, k: f32) Vec3 {
        return .{ .x = a.x * k, .y = a.y * k, .z = a.z * k };
    }

    pub fn dot(a: Vec3, b: Vec3) f32 {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    }

    pub fn cross(a: Vec3, b: Vec3) Vec3 {
        return .{
            .x = a.y * b.z - a.z * b.y,
            .y = a.z * b.x - a.x * b.z,
            .z = a.x * b.y - a.y * b.x,
        };
    }

    pub fn length(a: Vec3) f32 {
        return @sqrt(a.dot(a));
    }

    /// The unit vector along a, or an error for the zero vector.
    pub fn normalized(a: Vec3) error{ZeroLength}!Vec3 {
        const len = a.length();
        if (len < math.floatEps(f32)) return error.ZeroLength;
        return a.scale(1.0 / len);
    }

    /// The point a fraction t of the way from a to b.
    pub fn lerp(a: Vec3, b: Vec3, t: f32) Vec3 {
        return a.scale(1.0 - t).add(b.scale(t));
    }

    pub fn distance(a: Vec3, b: Vec3) f32 {
        return a.add(b.scale(-1.0)).length();
    }

    pub fn format(self: Vec3, comptime fmt: []const u8, options: std.fmt.FormatOptions, writer: anytype) !void {
        _ = fmt;
        _ = options;
        try writer.print("({d:.3}, {d:.3}, {d:.3})", .{ self.x, self.y, self.z });
    }
};

test "cross product is orthogonal" {
    const a = Vec3{ .x = 1, .y = 2, .z = 3 };
    const b = Vec3{ .x = -2, .y = 0.5, .z = 4 };
    const c = a.cross(b);
    try std.testing.expectApproxEqAbs(@as(f32, 0), c.dot(a), 1e-5);
    try std.testing.expectApproxEqAbs(@as(f32, 0), c.dot(b), 1e-5);
}

test "halfway" {
    const m = Vec3.lerp(Vec3.zero, Vec3{ .x = 2, .y = 4, .z = 6 }, 0.5);
    try std.testing.expectApproxEqAbs(@as(f32, 2), m.y, 1e-6);
}

test "normalizing" {
    try std.testing.expectError(error.ZeroLength, Vec3.zero.normalized());
    const n = try (Vec3{ .x = 3, .y = 0, .z = 4 }).normalized();
    try std.testing.expectApproxEqAbs(@as(f32, 1), n.length(), 1e-6);
}
