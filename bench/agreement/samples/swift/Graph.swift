// Shortest paths on a weighted graph with Dijkstra's algorithm and a binary heap.

struct Heap<Element> {
    private var items: [Element] = []
    private let ordered: (Element, Element) -> Bool

    init(by ordered: @escaping (Element, Element) -> Bool) {
        self.ordered = ordered
    }

    var isEmpty: Bool { items.isEmpty }

    mutating func push(_ item: Element) {
        items.append(item)
        var child = items.count - 1
        while child > 0 {
            let parent = (child - 1) / 2
            if !ordered(items[child], items[parent]) { break }
            items.swapAt(child, parent)
            child = parent
        }
    }

    mutating func pop() -> Element? {
        guard !items.isEmpty else { return nil }
        items.swapAt(0, items.count - 1)
        let top = items.removeLast()
        var parent = 0
        while true {
            let left = 2 * parent + 1, right = left + 1
            var first = parent
            if left < items.count && ordered(items[left], items[first]) { first = left }
            if right < items.count && ordered(items[right], items[first]) { first = right }
            if first == parent { break }
            items.swapAt(parent, first)
            parent = first
        }
        return top
    }
}

struct Graph<Node: Hashable> {
    private(set) var edges: [Node: [(to: Node, weight: Double)]] = [:]

    mutating func connect(_ a: Node, _ b: Node, weight: Double) {
        edges[a, default: []].append((b, weight))
        edges[b, default: []].append((a, weight))
    }

    func shortestPaths(from start: Node) -> [Node: (distance: Double, previous: Node?)] {
        var best: [Node: (distance: Double, previous: Node?)] = [start: (0, nil)]
        var queue = Heap<(Node, Double)>(by: { $0.1 < $1.1 })
        queue.push((start, 0))
        while let (node, distance) = queue.pop() {
            if let known = best[node], known.distance < distance { continue }
            for (next, weight) in edges[node] ?? [] {
                let candidate = distance + weight
                if candidate < best[next]?.distance ?? .infinity {
                    best[next] = (candidate, node)
                    queue.push((next, candidate))
                }
            }
        }
        return best
    }

    func path(to goal: Node, in table: [Node: (distance: Double, previous: Node?)]) -> [Node] {
        var route: [Node] = []
        var current: Node? = goal
        while let node = current {
            route.insert(node, at: 0)
            current = table[node]?.previous
        }
        return route
    }
}

var map = Graph<String>()
map.connect("Lyon", "Paris", weight: 465)
map.connect("Lyon", "Geneva", weight: 150)
map.connect("Paris", "Brussels", weight: 310)
map.connect("Geneva", "Zurich", weight: 275)
map.connect("Brussels", "Zurich", weight: 600)

let table = map.shortestPaths(from: "Paris")
for city in table.keys.sorted() {
    let route = map.path(to: city, in: table).joined(separator: " -> ")
    print("\(city): \(Int(table[city]!.distance)) km via \(route)")
}
