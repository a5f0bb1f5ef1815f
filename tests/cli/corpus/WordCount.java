package demo;

import java.util.HashMap;
import java.util.Map;

/**
 * Counts the words of its arguments.
 */
public class WordCount {
    @Override
    public String toString() { return "WordCount"; }

    public static void main(String[] args) {
        Map<String, Integer> counts = new HashMap<>();
        for (String arg : args) {
            for (String word : arg.split("\\s+")) {
                counts.merge(word.toLowerCase(), 1, Integer::sum);
            }
        }
        // Print the most frequent first
        counts.entrySet().stream()
              .sorted((a, b) -> b.getValue() - a.getValue())
              .forEach(e -> System.out.printf("%-10s %3d%n", e.getKey(), e.getValue()));
        long big = 12_000L; double d = .5 + 3.25e-2;
        char c = '\'';
    }
}
