// A small publish/subscribe hub with weak handlers and async delivery.
using System;
using System.Collections.Concurrent;
using System.Collections.Generic;
using System.Linq;
using System.Threading;
using System.Threading.Tasks;

namespace Example.Messaging
{
    /// <summary>
    /// Delivers messages to every handler registered for their type.
    /// </summary>
    public sealed class EventBus : IDisposable
    {
        private readonly ConcurrentDictionary<Type, List<Delegate>> _handlers = new();
        private readonly object _gate = new object();
        private int _published;
        private volatile bool _disposed;

        public const int MaxHandlers = 0x100;
        public static readonly TimeSpan DefaultTimeout = TimeSpan.FromSeconds(2.5);

        public event EventHandler<string>? Failed;

        public int Published => _published;

        public IDisposable Subscribe<T>(Action<T> handler) where T : class
        {
            if (handler is null) throw new ArgumentNullException(nameof(handler));
            var list = _handlers.GetOrAdd(typeof(T), _ => new List<Delegate>());
            lock (_gate)
            {
                if (list.Count >= MaxHandlers)
                    throw new InvalidOperationException($"more than {MaxHandlers} handlers for {typeof(T).Name}");
                list.Add(handler);
            }
            return new Subscription(() => { lock (_gate) list.Remove(handler); });
        }

        public async Task<int> PublishAsync<T>(T message, CancellationToken token = default) where T : class
        {
            ThrowIfDisposed();
            Interlocked.Increment(ref _published);
            if (!_handlers.TryGetValue(typeof(T), out var list)) return 0;
            Delegate[] snapshot;
            lock (_gate) snapshot = list.ToArray();
            var delivered = 0;
            foreach (var handler in snapshot.OfType<Action<T>>())
            {
                token.ThrowIfCancellationRequested();
                try
                {
                    await Task.Run(() => handler(message), token).ConfigureAwait(false);
                    delivered++;
                }
                catch (Exception ex) when (ex is not OperationCanceledException)
                {
                    Failed?.Invoke(this, ex.Message);
                }
            }
            return delivered;
        }

        private void ThrowIfDisposed()
        {
            if (_disposed) throw new ObjectDisposedException(nameof(EventBus));
        }

        public void Dispose()
        {
            _disposed = true;
            _handlers.Clear();
        }

        private sealed class Subscription : IDisposable
        {
            private Action? _undo;
            public Subscription(Action undo) => _undo = undo;
            public void Dispose() => Interlocked.Exchange(ref _undo, null)?.Invoke();
        }
    }
}
