import 'dart:math';

abstract class Shape implements Comparable<Shape> {
  String get name;
  double get area;
  double get perimeter;

  @override
  int compareTo(Shape other) => area.compareTo(other.area);

  @override
  String toString() => '$name(area: ${area.toStringAsFixed(2)}, perimeter: ${perimeter.toStringAsFixed(2)})';
}

class Circle extends Shape {
  final double radius;
  Circle(this.radius);

  @override
  String get name => 'Circle';
  @override
  double get area => pi * radius * radius;
  @override
  double get perimeter => 2 * pi * radius;
}

class Rectangle extends Shape {
  final double width, height;
  Rectangle(this.width, this.height);
  Rectangle.square(double side) : this(side, side);

  @override
  String get name => width == height ? 'Square' : 'Rectangle';
  @override
  double get area => width * height;
  @override
  double get perimeter => 2 * (width + height);
}

class Triangle extends Shape {
  final double a, b, c;

  Triangle(this.a, this.b, this.c) {
    if (a + b <= c || a + c <= b || b + c <= a) {
      throw ArgumentError('sides $a, $b, $c do not make a triangle');
    }
  }

  @override
  String get name => 'Triangle';
  @override
  double get perimeter => a + b + c;
  @override
  double get area {
    final s = perimeter / 2;
    return sqrt(s * (s - a) * (s - b) * (s - c));
  }
}

extension ShapeList on Iterable<Shape> {
  double get totalArea => fold(0.0, (sum, shape) => sum + shape.area);
  Shape? get largest => isEmpty ? null : reduce((a, b) => a.compareTo(b) >= 0 ? a : b);
}

void main() {
  final shapes = <Shape>[Circle(1.5), Rectangle(2, 3), Rectangle.square(2), Triangle(3, 4, 5)];
  shapes.sort();
  for (final shape in shapes) {
    print(shape);
  }
  print('total area: ${shapes.totalArea.toStringAsFixed(3)}');
  print('largest: ${shapes.largest?.name ?? 'none'}');
  try {
    Triangle(1, 2, 10);
  } on ArgumentError catch (e) {
    print('error: ${e.message}');
  }
}
