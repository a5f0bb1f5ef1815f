// Reads comma-separated values with quoted fields, one record at a time.
using System;
using System.Collections.Generic;
using System.Globalization;
using System.IO;
using System.Text;

namespace Example.Text
{
    public sealed class CsvFormatException : FormatException
    {
        public int Line { get; }

        public CsvFormatException(string message, int line) : base($"line {line}: {message}")
        {
            Line = line;
        }
    }

    /// <summary>
    /// Splits text into records; a quoted field may hold commas, quotes
    /// (doubled) and line breaks.
    /// </summary>
    public class CsvReader : IDisposable
    {
        private readonly TextReader _reader;
        private readonly char _separator;
        private int _line = 1;

        public CsvReader(TextReader reader, char separator = ',')
        {
            _reader = reader ?? throw new ArgumentNullException(nameof(reader));
            _separator = separator;
        }

        public IEnumerable<IReadOnlyList<string>> Records()
        {
            List<string>? record;
            while ((record = ReadRecord()) != null)
            {
                yield return record;
            }
        }

        private List<string>? ReadRecord()
        {
            if (_reader.Peek() < 0) return null;
            var fields = new List<string>();
            var field = new StringBuilder();
            bool quoted = false, wasQuoted = false;
            while (true)
            {
                int next = _reader.Read();
                if (next < 0)
                {
                    if (quoted) throw new CsvFormatException("unterminated quoted field", _line);
                    fields.Add(field.ToString());
                    return fields;
                }
                char c = (char)next;
                if (quoted)
                {
                    if (c == '"')
                    {
                        if (_reader.Peek() == '"') { _reader.Read(); field.Append('"'); }
                        else quoted = false;
                    }
                    else
                    {
                        if (c == '\n') _line++;
                        field.Append(c);
                    }
                    continue;
                }
                if (c == '"' && field.Length == 0 && !wasQuoted)
                {
                    quoted = wasQuoted = true;
                }
                else if (c == _separator)
                {
                    fields.Add(field.ToString());
                    field.Clear();
                    wasQuoted = false;
                }
                else if (c == '\r')
                {
                    // a CR LF pair ends the record at its LF
                }
                else if (c == '\n')
                {
                    _line++;
                    fields.Add(field.ToString());
                    return fields;
                }
                else
                {
                    field.Append(c);
                }
            }
        }

        public static double ParseNumber(string text) =>
            double.Parse(text, NumberStyles.Float, CultureInfo.InvariantCulture);

        public void Dispose() => _reader.Dispose();
    }

    internal static class CsvDemo
    {
        private static int Main()
        {
            const string text = "name,price\r\n\"Tea, green\",3.50\n\"Say \"\"hi\"\"\",1e2\n";
            using var csv = new CsvReader(new StringReader(text));
            var total = 0.0;
            foreach (var record in csv.Records())
            {
                if (record[0] == "name") continue;
                total += CsvReader.ParseNumber(record[1]);
                Console.WriteLine(string.Join(" | ", record));
            }
            return total > 100.0 ? 0 : 1;
        }
    }
}
