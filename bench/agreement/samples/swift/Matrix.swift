// A small matrix type with operators, protocols and extensions.
import Foundation

/// A dense matrix of `Double`, stored row by row.
public struct Matrix: Equatable, CustomStringConvertible {
    public let rows: Int
    public let columns: Int
    private var storage: [Double]

    public init(rows: Int, columns: Int, repeating value: Double = 0.0) {
        precondition(rows > 0 && columns > 0, "a matrix needs at least one cell")
        self.rows = rows
        self.columns = columns
        self.storage = Array(repeating: value, count: rows * columns)
    }

    public static func identity(_ size: Int) -> Matrix {
        var m = Matrix(rows: size, columns: size)
        for i in 0..<size {
            m[i, i] = 1
        }
        return m
    }

    public subscript(row: Int, column: Int) -> Double {
        get {
            assert(indexIsValid(row: row, column: column), "index out of range")
            return storage[row * columns + column]
        }
        set {
            storage[row * columns + column] = newValue
        }
    }

    private func indexIsValid(row: Int, column: Int) -> Bool {
        return row >= 0 && row < rows && column >= 0 && column < columns
    }

    public var description: String {
        var text = ""
        for r in 0..<rows {
            let cells = (0..<columns).map { String(format: "%8.3f", self[r, $0]) }
            text += cells.joined(separator: " ") + (r == rows - 1 ? "" : "\n")
        }
        return text
    }

    public static func * (lhs: Matrix, rhs: Matrix) -> Matrix {
        guard lhs.columns == rhs.rows else {
            fatalError("shapes \(lhs.rows)x\(lhs.columns) and \(rhs.rows)x\(rhs.columns) do not match")
        }
        var product = Matrix(rows: lhs.rows, columns: rhs.columns)
        for i in 0..<lhs.rows {
            for j in 0..<rhs.columns {
                var sum = 0.0
                for k in 0..<lhs.columns {
                    sum += lhs[i, k] * rhs[k, j]
                }
                product[i, j] = sum
            }
        }
        return product
    }
}

enum ParseError: Error {
    case empty
    case badNumber(String, line: Int)
}

protocol MatrixSource {
    func load() throws -> Matrix
}

final class TextSource: MatrixSource {
    let text: String
    weak var delegate: AnyObject?
    lazy var lines: [Substring] = text.split(separator: "\n")

    init(text: String) { self.text = text }

    func load() throws -> Matrix {
        let rows = lines.map { $0.split(separator: " ") }
        guard let first = rows.first, !first.isEmpty else { throw ParseError.empty }
        var m = Matrix(rows: rows.count, columns: first.count)
        for (r, row) in rows.enumerated() {
            for (c, cell) in row.enumerated() {
                guard let value = Double(cell) else {
                    throw ParseError.badNumber(String(cell), line: r + 1)
                }
                m[r, c] = value
            }
        }
        return m
    }
}

extension Matrix {
    var transposed: Matrix {
        var t = Matrix(rows: columns, columns: rows)
        for r in 0..<rows { for c in 0..<columns { t[c, r] = self[r, c] } }
        return t
    }
}

let source = TextSource(text: "1 2\n3 4")
do {
    let m = try source.load()
    print(m * m.transposed)
} catch ParseError.badNumber(let cell, let line) {
    print("bad number '\(cell)' on line \(line)")
} catch {
    print("failed: \(error)")
}
let hex = 0xFF, octal = 0o17, binary = 0b1011, big = 1_000_000, exp = 1.5e-3
let optional: Int? = nil
if let value = optional ?? Optional(hex) { print(value, octal, binary, big, exp, true, false) }
#if DEBUG
print("debug build")
#endif
let multiline = """
    Several "lines" of text
    in one literal.
    """
