import Foundation

/// The tokens of a small configuration language: `name = value` lines,
/// `[section]` headers and `#` comments.
enum Token: Equatable {
    case section(String)
    case assignment(key: String, value: String)
    case comment(String)
}

struct TokenizerError: Error, CustomStringConvertible {
    let line: Int
    let reason: String

    var description: String { "line \(line): \(reason)" }
}

struct Tokenizer {
    private let lines: [Substring]

    init(text: String) {
        lines = text.split(separator: "\n", omittingEmptySubsequences: false)
    }

    func tokens() throws -> [Token] {
        var result: [Token] = []
        for (index, rawLine) in lines.enumerated() {
            let line = rawLine.trimmingCharacters(in: .whitespaces)
            guard !line.isEmpty else { continue }
            if line.hasPrefix("#") {
                result.append(.comment(String(line.dropFirst())))
            } else if line.hasPrefix("[") {
                guard line.hasSuffix("]"), line.count > 2 else {
                    throw TokenizerError(line: index + 1, reason: "unclosed section header")
                }
                result.append(.section(String(line.dropFirst().dropLast())))
            } else if let equals = line.firstIndex(of: "=") {
                let key = line[..<equals].trimmingCharacters(in: .whitespaces)
                let value = line[line.index(after: equals)...].trimmingCharacters(in: .whitespaces)
                if key.isEmpty {
                    throw TokenizerError(line: index + 1, reason: "missing key before '='")
                }
                result.append(.assignment(key: key, value: value))
            } else {
                throw TokenizerError(line: index + 1, reason: "expected 'key = value'")
            }
        }
        return result
    }
}

extension Array where Element == Token {
    /// The assignments grouped by section; keys before any header go under "".
    func grouped() -> [String: [String: String]] {
        var current = ""
        var sections: [String: [String: String]] = [:]
        for token in self {
            switch token {
            case .section(let name):
                current = name
            case let .assignment(key, value):
                sections[current, default: [:]][key] = value
            case .comment:
                break
            }
        }
        return sections
    }
}

let sample = """
    # window placement
    [window]
    width = 800
    height = 600

    [editor]
    font = Menlo
    """

do {
    let sections = try Tokenizer(text: sample).tokens().grouped()
    for name in sections.keys.sorted() {
        print("[\(name)]")
        for (key, value) in sections[name]!.sorted(by: { $0.key < $1.key }) {
            print("  \(key) -> \(value)")
        }
    }
} catch let error as TokenizerError {
    print("error: \(error)")
}
