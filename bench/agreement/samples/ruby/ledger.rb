# frozen_string_literal: true

# A double-entry ledger: accounts, postings and a trial balance.
require 'bigdecimal'
require_relative 'support'

module Books
  class UnbalancedError < StandardError; end

  Posting = Struct.new(:account, :amount, keyword_init: true)

  class Account
    attr_reader :name, :kind, :postings
    KINDS = %i[asset liability equity income expense].freeze

    def initialize(name, kind = :asset)
      raise ArgumentError, "unknown kind #{kind.inspect}" unless KINDS.include?(kind)
      @name = name
      @kind = kind
      @postings = []
    end

    def balance
      @postings.sum(BigDecimal('0')) { |p| p.amount }
    end

    def debit?
      %i[asset expense].include?(@kind)
    end

    def to_s
      format('%-20s %12.2f', @name, balance)
    end
  end

  class Ledger
    include Enumerable

    def initialize
      @accounts = {}
      @journal = []
    end

    def account(name, kind = :asset)
      @accounts[name] ||= Account.new(name, kind)
    end

    # Records a transaction; the amounts must add up to zero.
    def post(description, **amounts)
      total = amounts.values.map { |a| BigDecimal(a.to_s) }.reduce(:+)
      raise UnbalancedError, "#{description}: off by #{total.to_f}" unless total.zero?

      amounts.each do |name, amount|
        account(name.to_s).postings << Posting.new(account: name, amount: BigDecimal(amount.to_s))
      end
      @journal << [Time.now, description]
      self
    end

    def each(&block)
      return enum_for(:each) unless block_given?

      @accounts.each_value(&block)
    end

    def trial_balance
      map(&:to_s).join("\n")
    end
  end
end

if __FILE__ == $PROGRAM_NAME
  ledger = Books::Ledger.new
  ledger.account('cash')
  ledger.account('sales', :income)
  ledger.post('first sale', cash: 120.50, sales: -120.50)
  begin
    ledger.post('typo', cash: 10, sales: -1)
  rescue Books::UnbalancedError => e
    warn "refused: #{e.message}"
  ensure
    puts ledger.trial_balance
  end
  count = 0x1F + 0b101 + 0o17 + 1_000 + 2.5e-3.to_i
  label = count > 10 ? :many : :few
  case label
  when :many then puts "many (#{count})"
  else puts 'few'
  end
  items = [1, 2, 3].select(&:odd?).map { |x| x * 2 }
  puts items.inspect, nil.to_a.inspect, true & false, self.class, defined?(foo).inspect
  until count.zero?
    count -= 1
    next if count.even?
    break if count < 5
  end
  text = <<~HEREDOC
    A heredoc keeps "quotes"
    and #{label} interpolation.
  HEREDOC
  puts text, 'it\'s', "tab\tnew\n", /ab+c/i.match?('xabbbcx')
end
