// A to-do list with filters, JSON round trip and async saving.
import 'dart:async';
import 'dart:convert';

enum Priority { low, normal, high }

/// One task of the list.
class Todo {
  final String title;
  final Priority priority;
  bool done;
  DateTime? due;

  Todo(this.title, {this.priority = Priority.normal, this.done = false, this.due});

  factory Todo.fromJson(Map<String, dynamic> json) => Todo(
        json['title'] as String,
        priority: Priority.values[json['priority'] as int],
        done: json['done'] == true,
        due: json['due'] == null ? null : DateTime.parse(json['due']),
      );

  Map<String, Object?> toJson() => {
        'title': title,
        'priority': priority.index,
        'done': done,
        'due': due?.toIso8601String(),
      };

  @override
  String toString() => '${done ? "[x]" : "[ ]"} $title (${priority.name})';
}

abstract class Storage {
  Future<void> save(String data);
  Future<String?> load();
}

class MemoryStorage implements Storage {
  String? _data;
  @override
  Future<void> save(String data) async => _data = data;
  @override
  Future<String?> load() async => _data;
}

class TodoList with Iterable<Todo> {
  final List<Todo> _items = [];
  final Storage storage;
  static const int maxItems = 0x200;
  late final StreamController<Todo> _changes = StreamController.broadcast();

  TodoList(this.storage);

  Stream<Todo> get changes => _changes.stream;

  @override
  Iterator<Todo> get iterator => _items.iterator;

  void add(Todo todo) {
    if (_items.length >= maxItems) {
      throw StateError('list is full');
    }
    _items.add(todo);
    _changes.add(todo);
  }

  Iterable<Todo> where2(bool Function(Todo) test) sync* {
    for (final t in _items) {
      if (test(t)) yield t;
    }
  }

  Future<void> persist() async {
    final text = jsonEncode(_items.map((t) => t.toJson()).toList());
    await storage.save(text);
  }

  Future<int> restore() async {
    final text = await storage.load();
    if (text == null) return 0;
    final decoded = jsonDecode(text) as List<dynamic>;
    _items
      ..clear()
      ..addAll(decoded.cast<Map<String, dynamic>>().map(Todo.fromJson));
    return _items.length;
  }
}

Future<void> main() async {
  final list = TodoList(MemoryStorage());
  list.changes.listen((t) => print('added: $t'));
  list.add(Todo('write tests', priority: Priority.high));
  list.add(Todo("buy milk", due: DateTime(2024, 1, 31)));
  await list.persist();
  var count = await list.restore();
  print('restored $count, ratio ${1.5e-1}, hex ${0xFF}, ${null ?? 'none'}');
  for (var i = 0; i < count; i++) {
    if (i.isOdd) continue;
    assert(i >= 0, "negative index");
  }
  switch (count) {
    case 2:
      print(r'raw \n string');
      break;
    default:
      print('''triple
quoted''');
  }
}
