#!/usr/bin/env ruby
# Command-line front end for a stock list kept in a JSON file.
require 'json'
require 'optparse'

class StockFile
  DEFAULT_PATH = File.join(Dir.home, '.stock.json')

  attr_reader :path, :items

  def initialize(path = DEFAULT_PATH)
    @path = path
    @items = File.exist?(path) ? JSON.parse(File.read(path)) : {}
  rescue JSON::ParserError => e
    abort "#{path}: not valid JSON (#{e.message})"
  end

  def add(name, count)
    @items[name] = @items.fetch(name, 0) + Integer(count)
  end

  def take(name, count)
    have = @items.fetch(name) { raise KeyError, "no #{name} in stock" }
    raise ArgumentError, "only #{have} #{name} left" if have < count

    @items[name] = have - count
    @items.delete(name) if @items[name].zero?
  end

  def save
    File.write(@path, JSON.pretty_generate(@items))
  end

  def to_s
    return '(empty)' if @items.empty?

    width = @items.keys.map(&:length).max
    @items.sort.map { |name, count| "#{name.ljust(width)}  #{count}" }.join("\n")
  end
end

options = { file: StockFile::DEFAULT_PATH, verbose: false }
OptionParser.new do |opts|
  opts.banner = "usage: #{File.basename($0)} [options] (list | add NAME N | take NAME N)"
  opts.on('-f', '--file PATH', 'stock file') { |v| options[:file] = v }
  opts.on('-v', '--[no-]verbose', 'say what happens') { |v| options[:verbose] = v }
end.parse!

stock = StockFile.new(options[:file])
command, name, count = ARGV
begin
  case command
  when 'list', nil
    puts stock
  when 'add'
    stock.add(name, count)
    stock.save
  when 'take'
    stock.take(name, Integer(count))
    stock.save
  else
    warn "unknown command: #{command.inspect}"
    exit 2
  end
rescue KeyError, ArgumentError => e
  $stderr.puts "error: #{e.message}"
  exit 1
end
puts "saved #{options[:file]}" if options[:verbose] && command != 'list'
totals = stock.items.values.each_with_object(Hash.new(0)) { |n, h| h[n.even? ? :even : :odd] += n }
printf("%d even, %d odd, ratio %.2f\n", totals[:even], totals[:odd], 1.0 * totals[:even] / [totals[:odd], 1].max)
