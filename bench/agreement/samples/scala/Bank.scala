package samples.bank

import scala.collection.mutable
import scala.util.{Failure, Success, Try}

sealed trait Transaction {
  def amount: BigDecimal
}
final case class Deposit(amount: BigDecimal) extends Transaction
final case class Withdrawal(amount: BigDecimal) extends Transaction
final case class Transfer(amount: BigDecimal, to: String) extends Transaction

class InsufficientFunds(val shortBy: BigDecimal) extends Exception(s"short by $shortBy")

/** An account keeps its history; the balance is always derived from it. */
class Account(val owner: String) {
  private val history = mutable.ArrayBuffer.empty[Transaction]

  def balance: BigDecimal = history.foldLeft(BigDecimal(0)) {
    case (sum, Deposit(a))     => sum + a
    case (sum, Withdrawal(a))  => sum - a
    case (sum, Transfer(a, _)) => sum - a
  }

  def apply(t: Transaction): Try[BigDecimal] = t match {
    case _ if t.amount <= 0 =>
      Failure(new IllegalArgumentException("amounts must be positive"))
    case Deposit(_) =>
      history += t
      Success(balance)
    case _ if t.amount > balance =>
      Failure(new InsufficientFunds(t.amount - balance))
    case _ =>
      history += t
      Success(balance)
  }

  def statement: String =
    history.zipWithIndex.map { case (t, i) => f"${i + 1}%3d ${t.getClass.getSimpleName}%-10s ${t.amount}%10.2f" }
      .mkString("\n")
}

object Bank {
  private val accounts = mutable.Map.empty[String, Account]

  def open(owner: String): Account = accounts.getOrElseUpdate(owner, new Account(owner))

  def transfer(from: String, to: String, amount: BigDecimal): Either[String, Unit] =
    (accounts.get(from), accounts.get(to)) match {
      case (Some(a), Some(b)) =>
        a(Transfer(amount, to)) match {
          case Success(_) =>
            b(Deposit(amount))
            Right(())
          case Failure(e) => Left(e.getMessage)
        }
      case _ => Left(s"unknown account: ${if (accounts.contains(from)) to else from}")
    }

  def main(args: Array[String]): Unit = {
    val ada = open("ada")
    open("bob")
    ada(Deposit(100))
    println(transfer("ada", "bob", 30))
    println(transfer("ada", "carol", 10))
    println(transfer("ada", "bob", 500))
    println(ada.statement)
  }
}
