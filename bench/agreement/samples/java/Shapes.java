package org.example.geometry;

import java.util.Comparator;
import java.util.List;
import java.util.stream.Collectors;

/* Sealed hierarchy with pattern matching; exercises interfaces,
   default methods, switch expressions and streams. */
public sealed interface Shapes permits Shapes.Circle, Shapes.Rect, Shapes.Triangle {

    double area();

    default String describe() {
        return String.format("%s with area %.2f", getClass().getSimpleName(), area());
    }

    record Circle(double radius) implements Shapes {
        public Circle {
            if (radius < 0) throw new IllegalArgumentException("negative radius");
        }
        public double area() { return Math.PI * radius * radius; }
    }

    record Rect(double width, double height) implements Shapes {
        public double area() { return width * height; }
    }

    record Triangle(double a, double b, double c) implements Shapes {
        public double area() {
            double s = (a + b + c) / 2.0;
            return Math.sqrt(s * (s - a) * (s - b) * (s - c));
        }
    }

    static String kind(Shapes shape) {
        return switch (shape) {
            case Circle c when c.radius() == 0 -> "point";
            case Circle c -> "circle";
            case Rect r -> r.width() == r.height() ? "square" : "rectangle";
            case Triangle t -> "triangle";
        };
    }

    static List<String> largestFirst(List<? extends Shapes> shapes, int limit) {
        return shapes.stream()
                .sorted(Comparator.comparingDouble(Shapes::area).reversed())
                .limit(limit)
                .map(Shapes::describe)
                .collect(Collectors.toList());
    }

    abstract class Visitor<R> {
        protected abstract R visitCircle(Circle c);
        protected abstract R visitRect(Rect r);

        public R visit(Shapes s) {
            if (s instanceof Circle c) return visitCircle(c);
            if (s instanceof Rect r) return visitRect(r);
            throw new UnsupportedOperationException(s.toString());
        }
    }

    static void main(String[] args) throws InterruptedException {
        List<Shapes> shapes = List.of(new Circle(1.5), new Rect(2, 3), new Triangle(3, 4, 5), new Circle(0));
        for (String line : largestFirst(shapes, 3)) {
            System.out.println(line);
        }
        Thread worker = new Thread(() -> {
            try {
                Thread.sleep(10L);
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
            } finally {
                System.err.println("worker done");
            }
        });
        worker.start();
        worker.join();
        int[] counts = new int[4];
        char grade = 'B';
        switch (grade) {
            case 'A':
                counts[0]++;
                break;
            case 'B':
            case 'C':
                counts[1] += 2;
                break;
            default:
                counts[3]--;
        }
        long big = 9_223_372_036_854_775_807L;
        int octal = 017, hex = 0xCAFE, bin = 0B1101;
        System.out.println(big >>> 3 ^ octal | hex & ~bin);
        Object o = shapes.get(0);
        if (o instanceof Circle c && c.radius() > 1) {
            System.out.println(kind(c) + "\u00e9\t" + (char) 65);
        }
        transientDemo:
        for (int i = 0; i < 3; i++) {
            for (int j = 0; j < 3; j++) {
                if (i * j == 2) break transientDemo;
                if (j > i) continue transientDemo;
            }
        }
    }
}
