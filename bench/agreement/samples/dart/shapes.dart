import 'dart:math' as math;

/// Shapes with areas and a sealed-like hierarchy through an abstract class.
abstract class Shape implements Comparable<Shape> {
  const Shape();
  double get area;
  String get name;

  @override
  int compareTo(Shape other) => area.compareTo(other.area);

  @override
  String toString() => '$name(${area.toStringAsFixed(2)})';
}

class Circle extends Shape {
  final double radius;
  const Circle(this.radius) : assert(radius >= 0);
  @override
  double get area => math.pi * radius * radius;
  @override
  String get name => 'Circle';
}

class Rect extends Shape {
  final double width, height;
  const Rect(this.width, this.height);
  const Rect.square(double side) : this(side, side);
  @override
  double get area => width * height;
  @override
  String get name => width == height ? 'Square' : "Rect";
}

extension ShapeList on List<Shape> {
  double get totalArea => fold(0.0, (sum, s) => sum + s.area);
  Shape? get largest => isEmpty ? null : reduce((a, b) => a.compareTo(b) >= 0 ? a : b);
}

typedef Predicate<T> = bool Function(T value);

Iterable<T> keep<T>(Iterable<T> items, Predicate<T> test) sync* {
  for (final item in items) {
    if (test(item)) yield item;
  }
}

void main(List<String> args) {
  final shapes = <Shape>[const Circle(1), const Rect(2, 3.5), const Rect.square(2), Circle(0.5)];
  shapes.sort();
  print(shapes);
  print('total ${shapes.totalArea.toStringAsFixed(3)}, largest ${shapes.largest}');
  final big = keep(shapes, (Shape s) => s.area > 3).toList();
  print(big.map((s) => s.name).join(', '));
  var count = 0;
  while (count < big.length) {
    count++;
  }
  final Object value = shapes.first;
  if (value is Circle && value.radius < 1) {
    print('small circle, hex ${0x2A}, exp ${1e-3}, ${value.radius ~/ 1}');
  }
  late final String label;
  label = args.isNotEmpty ? args.first : 'none';
  print(label.runtimeType == String ? "string \$label" : null);
}
