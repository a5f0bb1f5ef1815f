const std = @import("std");

const Counts = struct {
    lines: usize = 0,
    words: usize = 0,
    bytes: usize = 0,

    fn add(self: *Counts, other: Counts) void {
        self.lines += other.lines;
        self.words += other.words;
        self.bytes += other.bytes;
    }
};

fn count(reader: anytype) !Counts {
    var result = Counts{};
    var in_word = false;
    var buffer: [4096]u8 = undefined;
    while (true) {
        const n = try reader.read(&buffer);
        if (n == 0) break;
        result.bytes += n;
        for (buffer[0..n]) |c| {
            if (c == '\n') result.lines += 1;
            const blank = std.ascii.isWhitespace(c);
            if (!blank and !in_word) result.words += 1;
            in_word = !blank;
        }
    }
    return result;
}

fn report(writer: anytype, counts: Counts, name: []const u8) !void {
    try writer.print("{d:>8} {d:>8} {d:>8} {s}\n", .{ counts.lines, counts.words, counts.bytes, name });
}

pub fn main() !void {
    var gpa = std.heap.GeneralPurposeAllocator(.{}){};
    defer _ = gpa.deinit();
    const allocator = gpa.allocator();

    const args = try std.process.argsAlloc(allocator);
    defer std.process.argsFree(allocator, args);

    const stdout = std.io.getStdOut().writer();
    if (args.len < 2) {
        const counts = try count(std.io.getStdIn().reader());
        return report(stdout, counts, "");
    }

    var total = Counts{};
    var failed = false;
    for (args[1..]) |path| {
        const file = std.fs.cwd().openFile(path, .{}) catch |err| {
            std.debug.print("wordcount: {s}: {s}\n", .{ path, @errorName(err) });
            failed = true;
            continue;
        };
        defer file.close();
        const counts = try count(file.reader());
        try report(stdout, counts, path);
        total.add(counts);
    }
    if (args.len > 2) try report(stdout, total, "total");
    if (failed) std.process.exit(1);
}
