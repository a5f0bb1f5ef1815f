package samples.stats

import scala.annotation.tailrec
import scala.io.Source

/** Summary statistics of a column of numbers read from a file or stdin. */
object Stats {
  final case class Summary(count: Int, mean: Double, stdDev: Double, min: Double, max: Double, median: Double)

  def summarise(values: Seq[Double]): Option[Summary] =
    if (values.isEmpty) None
    else {
      val sorted = values.sorted
      val n = sorted.length
      val mean = sorted.sum / n
      val variance = sorted.map(v => math.pow(v - mean, 2)).sum / math.max(1, n - 1)
      val median =
        if (n % 2 == 1) sorted(n / 2)
        else (sorted(n / 2 - 1) + sorted(n / 2)) / 2.0
      Some(Summary(n, mean, math.sqrt(variance), sorted.head, sorted.last, median))
    }

  @tailrec
  def gcd(a: Long, b: Long): Long = if (b == 0) math.abs(a) else gcd(b, a % b)

  def histogram(values: Seq[Double], buckets: Int = 10): Seq[(Double, Int)] = {
    require(buckets > 0, "at least one bucket")
    val lo = values.min
    val width = (values.max - lo) / buckets match {
      case 0.0 => 1.0
      case w   => w
    }
    val counts = values.groupMapReduce(v => math.min(buckets - 1, ((v - lo) / width).toInt))(_ => 1)(_ + _)
    (0 until buckets).map(i => (lo + i * width, counts.getOrElse(i, 0)))
  }

  def main(args: Array[String]): Unit = {
    val source = args.headOption.map(Source.fromFile).getOrElse(Source.stdin)
    val values =
      try source.getLines().map(_.trim).filter(_.nonEmpty).flatMap(_.toDoubleOption).toVector
      finally source.close()
    summarise(values) match {
      case None => Console.err.println("no numbers")
      case Some(Summary(count, mean, sd, min, max, median)) =>
        println(f"count $count%d, mean $mean%.3f, sd $sd%.3f, median $median%.3f, range [$min, $max]")
        for ((start, count) <- histogram(values)) {
          val bar = "#" * count
          println(f"$start%10.2f | $bar")
        }
    }
  }
}
