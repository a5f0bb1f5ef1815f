package example.graph

import scala.annotation.tailrec
import scala.collection.immutable.Queue

/** An unweighted directed graph with breadth-first search. */
final class Graph[A] private (private val edges: Map[A, Set[A]]) {
  def addEdge(from: A, to: A): Graph[A] =
    new Graph(edges.updated(from, edges.getOrElse(from, Set.empty) + to).updated(to, edges.getOrElse(to, Set.empty)))

  def nodes: Set[A] = edges.keySet

  def neighbours(node: A): Set[A] = edges.getOrElse(node, Set.empty)

  /** The shortest path from `start` to `goal`, if there is one. */
  def path(start: A, goal: A): Option[List[A]] = {
    @tailrec
    def loop(frontier: Queue[A], parents: Map[A, A]): Option[Map[A, A]] =
      frontier.dequeueOption match {
        case None => None
        case Some((node, _)) if node == goal => Some(parents)
        case Some((node, rest)) =>
          val fresh = neighbours(node).filterNot(n => parents.contains(n) || n == start)
          loop(rest.enqueueAll(fresh), parents ++ fresh.map(_ -> node))
      }

    loop(Queue(start), Map.empty).map { parents =>
      Iterator.iterate(goal)(parents).takeWhile(_ != start).toList.reverse.prepended(start)
    }
  }

  override def toString: String =
    edges.toSeq.sortBy(_._1.toString).map { case (k, vs) => s"$k -> ${vs.mkString(", ")}" }.mkString("\n")
}

object Graph {
  def empty[A]: Graph[A] = new Graph(Map.empty)

  def apply[A](pairs: (A, A)*): Graph[A] = pairs.foldLeft(empty[A]) { case (g, (a, b)) => g.addEdge(a, b) }
}

object GraphDemo extends App {
  val g = Graph("a" -> "b", "b" -> "c", "a" -> "d", "d" -> "c", "c" -> "e")
  println(g)
  println(g.path("a", "e").map(_.mkString(" -> ")).getOrElse("no path"))
  println(g.path("e", "a").isEmpty, g.nodes.size, 0x10, 1.5e2, 'x')
  val counts = g.nodes.toList.map(n => n -> g.neighbours(n).size).toMap
  for ((node, n) <- counts if n > 0) yield println(f"$node%-3s$n%3d")
}
