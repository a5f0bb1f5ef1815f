// Orders, prices and a small report, in plain Scala 2/3 syntax.
package example.orders

import scala.collection.mutable
import scala.util.{Failure, Success, Try}

/** A product line of an order; the price is in cents. */
final case class Line(sku: String, quantity: Int, priceCents: Long) {
  require(quantity > 0, s"quantity of $sku must be positive")
  def total: Long = quantity * priceCents
}

sealed trait Status
object Status {
  case object Open extends Status
  case object Paid extends Status
  final case class Shipped(tracking: String) extends Status
}

trait Discount {
  def apply(cents: Long): Long
}

class Order(val id: Int, private var lines: List[Line] = Nil) {
  private var status: Status = Status.Open
  lazy val created: Long = System.currentTimeMillis()

  def add(line: Line): this.type = {
    lines = line :: lines
    this
  }

  def total(discount: Option[Discount] = None): Long = {
    val sum = lines.map(_.total).sum
    discount.fold(sum)(d => d(sum))
  }

  def pay(): Either[String, Order] = status match {
    case Status.Open =>
      status = Status.Paid
      Right(this)
    case Status.Paid => Left(s"order $id is already paid")
    case Status.Shipped(t) => Left(s"order $id shipped as ${t.toUpperCase}")
  }

  override def toString: String = f"Order($id%d, ${lines.size}%d lines, ${total() / 100.0}%.2f)"
}

object Orders {
  val MaxLines = 0x100
  val Ratio = 2.5e-2
  private val byId = mutable.Map.empty[Int, Order]

  implicit val tenPercent: Discount = new Discount {
    def apply(cents: Long): Long = cents * 9 / 10
  }

  def parse(text: String): Try[Line] = Try {
    val Array(sku, qty, price) = text.split(",").map(_.trim)
    Line(sku, qty.toInt, (BigDecimal(price) * 100).toLongExact)
  }

  def main(args: Array[String]): Unit = {
    val order = new Order(1)
    for (text <- Seq("A1, 2, 3.50", "B2, 1, 12.99", "bad line")) {
      parse(text) match {
        case Success(line) => order.add(line)
        case Failure(e) => Console.err.println(s"skipped '$text': ${e.getMessage}")
      }
    }
    byId(order.id) = order
    println(order.total(Some(tenPercent)))
    println(order.pay().isRight && !false, null == None, 'c', "tab\t\"q\"")
    var i = 0
    while (i < 3) { i += 1 }
    val squares = for { n <- 1 to 5 if n % 2 == 1 } yield n * n
    println(squares.mkString("[", ", ", "]"))
    val raw = """triple "quoted"
      |text""".stripMargin
    println(raw)
  }
}
