import Foundation

enum AccountError: Error {
    case insufficientFunds(needed: Decimal)
    case frozen
    case invalidAmount
}

protocol Ledger: AnyObject {
    func record(_ entry: Account.Entry)
}

final class Account {
    struct Entry: CustomStringConvertible {
        enum Kind: String { case deposit, withdrawal, fee }

        let kind: Kind
        let amount: Decimal
        let date: Date

        var description: String {
            let sign = kind == .deposit ? "+" : "-"
            return "\(kind.rawValue.padding(toLength: 10, withPad: " ", startingAt: 0)) \(sign)\(amount)"
        }
    }

    let owner: String
    private(set) var balance: Decimal = 0
    private(set) var history: [Entry] = []
    var isFrozen = false
    weak var ledger: Ledger?

    static let overdraftFee: Decimal = 2.5

    init(owner: String, opening: Decimal = 0) {
        self.owner = owner
        if opening > 0 {
            try? deposit(opening)
        }
    }

    func deposit(_ amount: Decimal) throws {
        guard amount > 0 else { throw AccountError.invalidAmount }
        guard !isFrozen else { throw AccountError.frozen }
        balance += amount
        append(.deposit, amount)
    }

    func withdraw(_ amount: Decimal) throws {
        guard amount > 0 else { throw AccountError.invalidAmount }
        guard !isFrozen else { throw AccountError.frozen }
        if amount > balance {
            throw AccountError.insufficientFunds(needed: amount - balance)
        }
        balance -= amount
        append(.withdrawal, amount)
    }

    func charge(fee: Decimal = Account.overdraftFee) {
        balance -= fee
        append(.fee, fee)
    }

    private func append(_ kind: Entry.Kind, _ amount: Decimal) {
        let entry = Entry(kind: kind, amount: amount, date: Date())
        history.append(entry)
        ledger?.record(entry)
    }
}

final class PrintingLedger: Ledger {
    private var count = 0

    func record(_ entry: Account.Entry) {
        count += 1
        print(String(format: "%03d", count), entry)
    }
}

let ledger = PrintingLedger()
let account = Account(owner: "Ada", opening: 100)
account.ledger = ledger

for amount: Decimal in [30, 50, 40] {
    do {
        try account.withdraw(amount)
    } catch AccountError.insufficientFunds(let needed) {
        print("short by \(needed); charging a fee")
        account.charge()
    } catch {
        print("unexpected error: \(error)")
    }
}
print("\(account.owner) holds \(account.balance) after \(account.history.count) entries")
