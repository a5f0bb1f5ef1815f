package samples.calc

/**
 * A recursive-descent parser for arithmetic: numbers, + - * /, parentheses
 * and unary minus. Errors carry the column where they were found.
 */
sealed class Expr {
    data class Num(val value: Double) : Expr()
    data class Neg(val operand: Expr) : Expr()
    data class Bin(val op: Char, val left: Expr, val right: Expr) : Expr()
}

class ParseException(message: String, val column: Int) : Exception("$message at column $column")

class Parser(private val text: String) {
    private var pos = 0

    fun parse(): Expr {
        val expr = sum()
        skipBlanks()
        if (pos < text.length) throw ParseException("unexpected '${text[pos]}'", pos + 1)
        return expr
    }

    private fun skipBlanks() {
        while (pos < text.length && text[pos].isWhitespace()) pos++
    }

    private fun sum(): Expr {
        var left = product()
        while (true) {
            skipBlanks()
            val op = text.getOrNull(pos) ?: return left
            if (op != '+' && op != '-') return left
            pos++
            left = Expr.Bin(op, left, product())
        }
    }

    private fun product(): Expr {
        var left = unary()
        while (true) {
            skipBlanks()
            val op = text.getOrNull(pos)
            if (op == null || op !in "*/") return left
            pos++
            left = Expr.Bin(op, left, unary())
        }
    }

    private fun unary(): Expr {
        skipBlanks()
        return when (text.getOrNull(pos)) {
            '-' -> { pos++; Expr.Neg(unary()) }
            '(' -> {
                pos++
                val inner = sum()
                skipBlanks()
                if (text.getOrNull(pos) != ')') throw ParseException("missing ')'", pos + 1)
                pos++
                inner
            }
            else -> number()
        }
    }

    private fun number(): Expr {
        val start = pos
        while (pos < text.length && (text[pos].isDigit() || text[pos] == '.')) pos++
        if (start == pos) throw ParseException("expected a number", pos + 1)
        return Expr.Num(text.substring(start, pos).toDouble())
    }
}

fun evaluate(expr: Expr): Double = when (expr) {
    is Expr.Num -> expr.value
    is Expr.Neg -> -evaluate(expr.operand)
    is Expr.Bin -> {
        val a = evaluate(expr.left)
        val b = evaluate(expr.right)
        when (expr.op) {
            '+' -> a + b
            '-' -> a - b
            '*' -> a * b
            else -> if (b == 0.0) Double.NaN else a / b
        }
    }
}

fun main(args: Array<String>) {
    val inputs = if (args.isNotEmpty()) args.toList() else listOf("1 + 2 * 3", "-(4 - 10) / 2", "2 * (3")
    for (input in inputs) {
        try {
            println("$input = ${evaluate(Parser(input).parse())}")
        } catch (e: ParseException) {
            System.err.println("error: ${e.message}")
        }
    }
}
