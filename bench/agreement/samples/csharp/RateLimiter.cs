using System;
using System.Collections.Concurrent;
using System.Threading;
using System.Threading.Tasks;

namespace Samples.Throttling
{
    /// <summary>
    /// A token bucket per caller: each key may spend <c>Capacity</c> requests
    /// at once and regains one every <c>RefillInterval</c>.
    /// </summary>
    public sealed class RateLimiter : IDisposable
    {
        private sealed class Bucket
        {
            public double Tokens;
            public DateTime LastRefill;
        }

        private readonly ConcurrentDictionary<string, Bucket> _buckets = new();
        private readonly SemaphoreSlim _gate = new(1, 1);
        private bool _disposed;

        public int Capacity { get; }
        public TimeSpan RefillInterval { get; }

        public RateLimiter(int capacity, TimeSpan refillInterval)
        {
            if (capacity <= 0)
                throw new ArgumentOutOfRangeException(nameof(capacity), "Capacity must be positive.");
            Capacity = capacity;
            RefillInterval = refillInterval;
        }

        public async Task<bool> TryAcquireAsync(string key, CancellationToken token = default)
        {
            if (_disposed) throw new ObjectDisposedException(nameof(RateLimiter));
            await _gate.WaitAsync(token).ConfigureAwait(false);
            try
            {
                var now = DateTime.UtcNow;
                var bucket = _buckets.GetOrAdd(key, _ => new Bucket { Tokens = Capacity, LastRefill = now });
                var elapsed = (now - bucket.LastRefill).TotalMilliseconds;
                bucket.Tokens = Math.Min(Capacity, bucket.Tokens + elapsed / RefillInterval.TotalMilliseconds);
                bucket.LastRefill = now;
                if (bucket.Tokens < 1.0)
                    return false;
                bucket.Tokens -= 1.0;
                return true;
            }
            finally
            {
                _gate.Release();
            }
        }

        public override string ToString() =>
            $"RateLimiter({Capacity} per {RefillInterval.TotalSeconds:0.##}s, {_buckets.Count} callers)";

        public void Dispose()
        {
            if (_disposed) return;
            _disposed = true;
            _gate.Dispose();
        }
    }

    internal static class Program
    {
        private static async Task Main(string[] args)
        {
            using var limiter = new RateLimiter(3, TimeSpan.FromMilliseconds(250));
            for (int i = 0; i < 6; i++)
            {
                bool allowed = await limiter.TryAcquireAsync("client-42");
                Console.WriteLine($"request {i}: {(allowed ? "allowed" : "throttled")}");
            }
            Console.WriteLine(limiter);
        }
    }
}
