package samples.json

// A minimal JSON reader: enough for configuration files, with positions in errors.
sealed trait Json
object Json {
  case object Null extends Json
  final case class Bool(value: Boolean) extends Json
  final case class Num(value: Double) extends Json
  final case class Str(value: String) extends Json
  final case class Arr(items: Vector[Json]) extends Json
  final case class Obj(fields: Map[String, Json]) extends Json
}

final case class ParseError(message: String, offset: Int)
    extends RuntimeException(s"$message at offset $offset")

final class Parser(text: String) {
  private var pos = 0

  def parse(): Json = {
    val value = readValue()
    skipBlanks()
    if (pos != text.length) fail("trailing characters")
    value
  }

  private def fail(message: String): Nothing = throw ParseError(message, pos)

  private def skipBlanks(): Unit =
    while (pos < text.length && Character.isWhitespace(text.charAt(pos))) pos += 1

  private def expect(c: Char): Unit = {
    skipBlanks()
    if (pos >= text.length || text.charAt(pos) != c) fail(s"expected '$c'")
    pos += 1
  }

  private def readValue(): Json = {
    skipBlanks()
    if (pos >= text.length) fail("unexpected end")
    text.charAt(pos) match {
      case '{' => readObject()
      case '[' => readArray()
      case '"' => Json.Str(readString())
      case 't' if text.startsWith("true", pos)  => pos += 4; Json.Bool(true)
      case 'f' if text.startsWith("false", pos) => pos += 5; Json.Bool(false)
      case 'n' if text.startsWith("null", pos)  => pos += 4; Json.Null
      case c if c == '-' || c.isDigit => readNumber()
      case c => fail(s"unexpected '$c'")
    }
  }

  private def readNumber(): Json = {
    val start = pos
    while (pos < text.length && "+-.eE0123456789".indexOf(text.charAt(pos)) >= 0) pos += 1
    text.substring(start, pos).toDoubleOption.map(Json.Num).getOrElse(fail("bad number"))
  }

  private def readString(): String = {
    expect('"')
    val out = new StringBuilder
    while (pos < text.length && text.charAt(pos) != '"') {
      val c = text.charAt(pos)
      if (c == '\\' && pos + 1 < text.length) {
        out += (text.charAt(pos + 1) match {
          case 'n' => '\n'
          case 't' => '\t'
          case other => other
        })
        pos += 2
      } else {
        out += c
        pos += 1
      }
    }
    expect('"')
    out.result()
  }

  private def readArray(): Json = {
    expect('[')
    skipBlanks()
    if (text.charAt(pos) == ']') { pos += 1; return Json.Arr(Vector.empty) }
    val items = Vector.newBuilder[Json]
    items += readValue()
    skipBlanks()
    while (text.charAt(pos) == ',') { pos += 1; items += readValue(); skipBlanks() }
    expect(']')
    Json.Arr(items.result())
  }

  private def readObject(): Json = {
    expect('{')
    var fields = Map.empty[String, Json]
    skipBlanks()
    while (text.charAt(pos) != '}') {
      val key = readString()
      expect(':')
      fields += key -> readValue()
      skipBlanks()
      if (text.charAt(pos) == ',') pos += 1
      skipBlanks()
    }
    pos += 1
    Json.Obj(fields)
  }
}
