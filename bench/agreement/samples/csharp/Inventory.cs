using System;
using System.Collections.Generic;
using System.IO;
using System.Linq;
using System.Text;

namespace Samples.Store
{
    public enum Category { Hardware, Software, Service }

    public record Item(string Sku, string Name, Category Category, decimal Price, int Quantity);

    // Reads a stock list where each line is "sku;name;category;price;quantity"
    // and answers the questions a shop keeper asks every morning.
    public class Inventory
    {
        private readonly List<Item> _items = new List<Item>();

        public IReadOnlyList<Item> Items => _items;

        public static Inventory Load(TextReader reader)
        {
            var inventory = new Inventory();
            string? line;
            int number = 0;
            while ((line = reader.ReadLine()) != null)
            {
                number++;
                if (string.IsNullOrWhiteSpace(line) || line.StartsWith("#"))
                    continue;
                var fields = line.Split(';');
                if (fields.Length != 5)
                    throw new FormatException($"line {number}: expected 5 fields, found {fields.Length}");
                inventory._items.Add(new Item(
                    fields[0].Trim(),
                    fields[1].Trim(),
                    Enum.Parse<Category>(fields[2].Trim(), ignoreCase: true),
                    decimal.Parse(fields[3], System.Globalization.CultureInfo.InvariantCulture),
                    int.Parse(fields[4])));
            }
            return inventory;
        }

        public decimal TotalValue() => _items.Sum(i => i.Price * i.Quantity);

        public IEnumerable<Item> LowStock(int threshold = 5) =>
            from item in _items
            where item.Quantity < threshold
            orderby item.Quantity, item.Name
            select item;

        public Dictionary<Category, int> CountByCategory()
        {
            var counts = new Dictionary<Category, int>();
            foreach (var item in _items)
            {
                counts.TryGetValue(item.Category, out int count);
                counts[item.Category] = count + item.Quantity;
            }
            return counts;
        }

        public string Report()
        {
            var text = new StringBuilder();
            text.AppendLine(@"Stock report
============");
            foreach (var (category, count) in CountByCategory().OrderBy(p => p.Key))
                text.AppendFormat("{0,-10} {1,6}\n", category, count);
            text.AppendLine($"Total value: {TotalValue():C}");
            var low = LowStock().ToList();
            if (low.Count > 0)
            {
                text.AppendLine("Reorder:");
                low.ForEach(i => text.AppendLine($"  {i.Sku} {i.Name} ({i.Quantity} left)"));
            }
            return text.ToString();
        }
    }
}
