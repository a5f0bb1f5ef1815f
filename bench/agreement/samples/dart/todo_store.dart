import 'dart:async';
import 'dart:convert';

/// A to-do item; immutable, changed by copying.
class Todo {
  final int id;
  final String title;
  final bool done;
  final DateTime? due;

  const Todo({required this.id, required this.title, this.done = false, this.due});

  Todo copyWith({String? title, bool? done, DateTime? due}) =>
      Todo(id: id, title: title ?? this.title, done: done ?? this.done, due: due ?? this.due);

  bool isOverdue(DateTime now) => !done && due != null && due!.isBefore(now);

  Map<String, dynamic> toJson() => {
        'id': id,
        'title': title,
        'done': done,
        if (due != null) 'due': due!.toIso8601String(),
      };

  factory Todo.fromJson(Map<String, dynamic> json) => Todo(
        id: json['id'] as int,
        title: json['title'] as String,
        done: json['done'] as bool? ?? false,
        due: json['due'] == null ? null : DateTime.parse(json['due'] as String),
      );

  @override
  String toString() => '${done ? '[x]' : '[ ]'} #$id $title';
}

/// Keeps the list and tells listeners about every change.
class TodoStore {
  final _items = <int, Todo>{};
  final _changes = StreamController<List<Todo>>.broadcast();
  var _nextId = 1;

  Stream<List<Todo>> get changes => _changes.stream;

  List<Todo> get items => _items.values.toList()..sort((a, b) => a.id.compareTo(b.id));

  Todo add(String title, {DateTime? due}) {
    if (title.trim().isEmpty) {
      throw ArgumentError.value(title, 'title', 'must not be blank');
    }
    final todo = Todo(id: _nextId++, title: title.trim(), due: due);
    _items[todo.id] = todo;
    _notify();
    return todo;
  }

  void toggle(int id) {
    final todo = _items[id];
    if (todo == null) return;
    _items[id] = todo.copyWith(done: !todo.done);
    _notify();
  }

  int removeDone() {
    final before = _items.length;
    _items.removeWhere((_, todo) => todo.done);
    _notify();
    return before - _items.length;
  }

  String export() => const JsonEncoder.withIndent('  ').convert(items.map((t) => t.toJson()).toList());

  void _notify() => _changes.add(items);

  Future<void> close() => _changes.close();
}

Future<void> main() async {
  final store = TodoStore();
  final subscription = store.changes.listen((list) => print('${list.length} items'));
  store.add('write the report', due: DateTime.now().subtract(const Duration(days: 1)));
  final milk = store.add('buy milk');
  store.toggle(milk.id);
  print(store.items.where((t) => t.isOverdue(DateTime.now())).join('\n'));
  print('removed ${store.removeDone()}');
  print(store.export());
  await subscription.cancel();
  await store.close();
}
