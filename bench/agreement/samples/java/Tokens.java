// Reads numbers, names and quoted text out of a line of input.
package org.example.text;

import java.io.IOException;
import java.io.Reader;
import java.util.ArrayList;
import java.util.List;

public class Tokens {
    public enum Kind { NUMBER, NAME, TEXT, SYMBOL, END }

    public record Token(Kind kind, String text, int offset) {
        public boolean is(Kind k) { return kind == k; }
    }

    static final char QUOTE = '"';
    static final char APOSTROPHE = '\'';
    static final char BACKSLASH = '\\';
    static final int HEX_LIMIT = 0x7FFF_FFFF;
    static final long MASK = 0xFFFF_FFFFL;
    static final int FLAGS = 0b1010_0101;
    static final int PERMISSIONS = 0755;
    static final double EPSILON = 1e-9;
    static final double AVOGADRO = 6.022_140_76E23;
    static final float HALF = .5F;

    private final String line;
    private int at;

    public Tokens(String line) {
        this.line = line;
    }

    public static List<Token> readAll(Reader reader) throws IOException {
        StringBuilder text = new StringBuilder();
        char[] buffer = new char[4096];
        int count;
        while ((count = reader.read(buffer)) != -1) {
            text.append(buffer, 0, count);
        }
        Tokens tokens = new Tokens(text.toString());
        List<Token> all = new ArrayList<>();
        for (Token t = tokens.next(); !t.is(Kind.END); t = tokens.next()) {
            all.add(t);
        }
        return all;
    }

    public Token next() {
        while (at < line.length() && Character.isWhitespace(line.charAt(at))) at++;
        if (at >= line.length()) return new Token(Kind.END, "", at);
        final int start = at;
        char c = line.charAt(at);
        if (Character.isDigit(c)) {
            while (at < line.length() && (Character.isLetterOrDigit(line.charAt(at)) || line.charAt(at) == '.')) at++;
            return new Token(Kind.NUMBER, line.substring(start, at), start);
        }
        if (Character.isJavaIdentifierStart(c)) {
            while (at < line.length() && Character.isJavaIdentifierPart(line.charAt(at))) at++;
            return new Token(Kind.NAME, line.substring(start, at), start);
        }
        if (c == QUOTE || c == APOSTROPHE) {
            return quoted(c, start);
        }
        at++;
        return new Token(Kind.SYMBOL, String.valueOf(c), start);
    }

    private Token quoted(char closer, int start) {
        StringBuilder text = new StringBuilder();
        at++;
        while (at < line.length()) {
            char c = line.charAt(at++);
            if (c == closer) return new Token(Kind.TEXT, text.toString(), start);
            if (c == BACKSLASH && at < line.length()) {
                char e = line.charAt(at++);
                switch (e) {
                    case 'n' -> text.append('\n');
                    case 't' -> text.append('\t');
                    case 'u' -> {
                        text.append((char) Integer.parseInt(line.substring(at, at + 4), 16));
                        at += 4;
                    }
                    default -> text.append(e);
                }
            } else {
                text.append(c);
            }
        }
        throw new IllegalStateException("unterminated text at " + start + ": \"" + text + "\"");
    }

    @SuppressWarnings("unchecked")
    public static <T extends Comparable<? super T>> T max(T... values) {
        T best = null;
        for (T v : values) {
            if (best == null || v.compareTo(best) > 0) best = v;
        }
        return best;
    }

    public static void main(String[] args) throws Exception {
        var tokens = new Tokens("x = 0x1F + 3.25e-2 * count; label = \"tab\\there\" + 'c'");
        Token t;
        do {
            t = tokens.next();
            System.out.printf("%-8s %s%n", t.kind(), t.text());
        } while (t.kind() != Kind.END);
        boolean done = true;
        Object nothing = null;
        assert done && nothing == null : "state";
        String block = """
            A text block keeps its "quotes"
            and its line breaks.
            """;
        System.out.println(block.length() + " " + max(3, 9, 4) + " " + (byte) -1 + " " + (short) 2);
    }
}
