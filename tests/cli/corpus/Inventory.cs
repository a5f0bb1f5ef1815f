using System;
using System.Collections.Generic;

namespace Shop
{
    /// <summary>Counts items on the shelves.</summary>
    public sealed class Inventory
    {
        private readonly Dictionary<string, int> _stock = new Dictionary<string, int>();

        public void Add(string name, int count = 1)
        {
            if (count <= 0) throw new ArgumentOutOfRangeException(nameof(count));
            _stock[name] = _stock.TryGetValue(name, out var have) ? have + count : count;
        }

        public override string ToString() => $"{_stock.Count} kinds, @\"C:\\stock\" ok";

        public static void Main()
        {
            var inv = new Inventory();
            inv.Add("apple", 3); inv.Add('x'.ToString());
            Console.WriteLine(inv); /* 2 kinds */
        }
    }
}
