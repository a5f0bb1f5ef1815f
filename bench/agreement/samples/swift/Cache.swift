// A thread-safe cache with expiry, using generics and a serial queue.
import Foundation

public final class ExpiringCache<Key: Hashable, Value> {
    private struct Entry {
        let value: Value
        let expires: Date
    }

    private var storage: [Key: Entry] = [:]
    private let queue = DispatchQueue(label: "cache.serial")
    private let lifetime: TimeInterval
    public private(set) var hits = 0
    public private(set) var misses = 0

    public init(lifetime: TimeInterval = 60) {
        self.lifetime = lifetime
    }

    public func value(for key: Key, now: Date = Date()) -> Value? {
        return queue.sync {
            guard let entry = storage[key] else {
                misses += 1
                return nil
            }
            if entry.expires < now {
                storage.removeValue(forKey: key)
                misses += 1
                return nil
            }
            hits += 1
            return entry.value
        }
    }

    public func insert(_ value: Value, for key: Key, now: Date = Date()) {
        queue.sync {
            storage[key] = Entry(value: value, expires: now.addingTimeInterval(lifetime))
        }
    }

    @discardableResult
    public func removeExpired(now: Date = Date()) -> Int {
        return queue.sync {
            let before = storage.count
            storage = storage.filter { $0.value.expires >= now }
            return before - storage.count
        }
    }

    public var count: Int { queue.sync { storage.count } }
}

extension ExpiringCache where Value: Numeric {
    public func total() -> Value {
        return queue.sync { storage.values.reduce(0) { $0 + $1.value } }
    }
}

struct Temperature: Comparable, CustomStringConvertible {
    var celsius: Double
    var fahrenheit: Double { celsius * 9 / 5 + 32 }
    var description: String { String(format: "%.1f°C", celsius) }

    static func < (lhs: Temperature, rhs: Temperature) -> Bool {
        lhs.celsius < rhs.celsius
    }
}

let cache = ExpiringCache<String, Int>(lifetime: 0.5)
cache.insert(42, for: "answer")
cache.insert(7, for: "week")
print(cache.value(for: "answer") ?? -1, cache.total(), cache.count)
let later = Date().addingTimeInterval(1)
print(cache.removeExpired(now: later), cache.hits, cache.misses)
let readings = [Temperature(celsius: 21.5), Temperature(celsius: -3), Temperature(celsius: 1e1)]
if let warmest = readings.max() {
    print("warmest \(warmest) = \(warmest.fahrenheit)°F")
}
for (index, t) in readings.enumerated() where t.celsius > 0 {
    print(index, t)
}
