using System;
using System.Text;

namespace Example.Numerics
{
    /* A dense matrix of doubles with the usual operators.
       Row-major storage. */
    public readonly struct Matrix : IEquatable<Matrix>
    {
        private readonly double[] _cells;
        public int Rows { get; }
        public int Columns { get; }

        public Matrix(int rows, int columns)
        {
            if (rows <= 0 || columns <= 0)
                throw new ArgumentOutOfRangeException(rows <= 0 ? nameof(rows) : nameof(columns));
            Rows = rows;
            Columns = columns;
            _cells = new double[rows * columns];
        }

        public double this[int row, int column]
        {
            get => _cells[row * Columns + column];
            set => _cells[row * Columns + column] = value;
        }

        public static Matrix Identity(int size)
        {
            var m = new Matrix(size, size);
            for (int i = 0; i < size; i++) m[i, i] = 1.0;
            return m;
        }

        public static Matrix operator *(Matrix a, Matrix b)
        {
            if (a.Columns != b.Rows) throw new ArgumentException("shapes do not match");
            var product = new Matrix(a.Rows, b.Columns);
            for (int i = 0; i < a.Rows; ++i)
                for (int j = 0; j < b.Columns; ++j)
                {
                    double sum = 0d;
                    for (int k = 0; k < a.Columns; ++k) sum += a[i, k] * b[k, j];
                    product[i, j] = sum;
                }
            return product;
        }

        public static Matrix operator +(Matrix a, Matrix b)
        {
            var sum = new Matrix(a.Rows, a.Columns);
            for (int i = 0; i < a._cells.Length; i++) sum._cells[i] = a._cells[i] + b._cells[i];
            return sum;
        }

        public bool Equals(Matrix other)
        {
            if (Rows != other.Rows || Columns != other.Columns) return false;
            for (var i = 0; i < _cells.Length; i++)
                if (Math.Abs(_cells[i] - other._cells[i]) > 1e-12) return false;
            return true;
        }

        public override bool Equals(object? obj) => obj is Matrix m && Equals(m);
        public override int GetHashCode() => HashCode.Combine(Rows, Columns, _cells.Length);
        public static bool operator ==(Matrix a, Matrix b) => a.Equals(b);
        public static bool operator !=(Matrix a, Matrix b) => !a.Equals(b);

        public override string ToString()
        {
            var text = new StringBuilder();
            for (int i = 0; i < Rows; i++)
            {
                text.Append(i == 0 ? "[ " : "  ");
                for (int j = 0; j < Columns; j++) text.AppendFormat("{0,8:F3}", this[i, j]);
                text.Append(i == Rows - 1 ? " ]" : "\n");
            }
            return text.ToString();
        }
    }

    internal static class Program
    {
        private static void Main(string[] args)
        {
            var m = Matrix.Identity(3);
            m[0, 2] = 4.5;
            Console.WriteLine(m * m);
            string path = @"C:\temp\new folder\out.txt";
            string quoted = @"She said ""hi""";
            char tab = '\t', quote = '\'';
            decimal price = 19.99m;
            float ratio = 0.5f;
            long big = 0xFFFF_FFFFL;
            uint mask = 0b1111_0000u;
            ulong huge = 18_446_744_073_709_551_615UL;
            object boxed = price;
            dynamic late = ratio;
            var name = args.Length > 0 ? args[0] : null;
            name ??= "world";
            Console.WriteLine($"Hello, {name}! {path} {quoted} {tab}{quote} {big:X} {mask} {huge}");
            switch (boxed)
            {
                case decimal d when d > 10m:
                    Console.WriteLine("expensive");
                    goto default;
                case int i:
                    Console.WriteLine(i);
                    break;
                default:
                    Console.WriteLine(sizeof(int) + (late is float ? 1 : 0));
                    break;
            }
            unchecked { int overflow = int.MaxValue + (int)mask; _ = overflow; }
            checked { ushort small = (ushort)ratio; _ = small; }
#if DEBUG
            Console.Error.WriteLine("debug build");
#endif
            using var stream = Console.OpenStandardOutput();
            stream.Flush();
        }
    }
}
