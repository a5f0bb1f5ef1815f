import 'dart:async';
import 'dart:math' as math;

typedef Attempt<T> = Future<T> Function(int attempt);

class RetryPolicy {
  final int maxAttempts;
  final Duration baseDelay;
  final double factor;
  final bool Function(Object error) retryIf;

  RetryPolicy({
    this.maxAttempts = 5,
    this.baseDelay = const Duration(milliseconds: 100),
    this.factor = 2.0,
    bool Function(Object error)? retryIf,
  })  : assert(maxAttempts > 0),
        retryIf = retryIf ?? ((_) => true);

  /// The pause before attempt [n] (1-based), with up to 25 % jitter.
  Duration delayFor(int n, math.Random random) {
    final exact = baseDelay.inMicroseconds * math.pow(factor, n - 1);
    final jitter = 1 + (random.nextDouble() - 0.5) / 2;
    return Duration(microseconds: (exact * jitter).round());
  }

  Future<T> run<T>(Attempt<T> attempt, {math.Random? random}) async {
    final rng = random ?? math.Random();
    for (var n = 1;; n++) {
      try {
        return await attempt(n);
      } catch (error) {
        if (n >= maxAttempts || !retryIf(error)) rethrow;
        final pause = delayFor(n, rng);
        print('attempt $n failed ($error); retrying in ${pause.inMilliseconds} ms');
        await Future<void>.delayed(pause);
      }
    }
  }
}

class FlakyService {
  int calls = 0;
  final int failures;

  FlakyService(this.failures);

  Future<String> fetch(String key) async {
    calls++;
    await Future<void>.delayed(const Duration(milliseconds: 5));
    if (calls <= failures) {
      throw TimeoutException('no answer for "$key"');
    }
    return 'value of $key';
  }
}

Future<void> main() async {
  final service = FlakyService(2);
  final policy = RetryPolicy(retryIf: (e) => e is TimeoutException);
  final value = await policy.run((_) => service.fetch('answer'), random: math.Random(42));
  print('$value after ${service.calls} calls');

  final hopeless = FlakyService(10);
  try {
    await RetryPolicy(maxAttempts: 3).run((_) => hopeless.fetch('never'));
  } on TimeoutException catch (e) {
    print('gave up: ${e.message}');
  }
}
