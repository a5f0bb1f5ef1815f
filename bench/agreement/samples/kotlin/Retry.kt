/*
 * Retries an action with exponential backoff; a small state machine for
 * a connection that reconnects.
 */
package org.example.net

import kotlin.random.Random

class RetryPolicy(
    val attempts: Int = 5,
    val baseDelayMs: Long = 100L,
    val factor: Double = 2.0,
    val jitter: Double = 0.1,
) {
    init {
        require(attempts in 1..100) { "attempts out of range: $attempts" }
    }

    fun delayFor(attempt: Int, random: Random = Random.Default): Long {
        var delay = baseDelayMs.toDouble()
        repeat(attempt) { delay *= factor }
        val spread = delay * jitter
        return (delay + random.nextDouble(-spread, spread)).toLong().coerceAtLeast(0)
    }
}

inline fun <T> retry(policy: RetryPolicy, sleep: (Long) -> Unit = Thread::sleep, action: (Int) -> T): T {
    var last: Throwable? = null
    for (attempt in 0 until policy.attempts) {
        try {
            return action(attempt)
        } catch (e: IllegalStateException) {
            last = e
            sleep(policy.delayFor(attempt))
        }
    }
    throw RuntimeException("gave up after ${policy.attempts} attempts", last)
}

enum class State { DISCONNECTED, CONNECTING, CONNECTED, CLOSED }

class Connection(private val host: String, private val port: Int = 443) {
    var state = State.DISCONNECTED
        private set
    private val listeners = mutableListOf<(State) -> Unit>()

    fun onChange(listener: (State) -> Unit) {
        listeners += listener
    }

    private fun moveTo(next: State) {
        check(state != State.CLOSED) { "connection to $host is closed" }
        state = next
        listeners.forEach { it(next) }
    }

    fun connect(failures: Int): Boolean {
        moveTo(State.CONNECTING)
        var left = failures
        return try {
            retry(RetryPolicy(attempts = 3, baseDelayMs = 1), sleep = {}) { attempt ->
                if (left-- > 0) throw IllegalStateException("refused (attempt $attempt)")
                moveTo(State.CONNECTED)
                true
            }
        } catch (e: RuntimeException) {
            moveTo(State.DISCONNECTED)
            false
        }
    }

    fun close() {
        if (state == State.CLOSED) return
        moveTo(State.CLOSED)
    }

    override fun toString() = "Connection($host:$port, $state)"
}

object Demo {
    @JvmStatic
    fun main(args: Array<String>) {
        val connection = Connection("example.org")
        connection.onChange { println("-> $it") }
        println(connection.connect(failures = 2))
        println(connection)
        connection.close()
        val delays = RetryPolicy(jitter = 0.0).let { p -> (0 until 4).map { p.delayFor(it) } }
        println(delays.joinToString(prefix = "[", postfix = "]") + " 0x${255.toString(16)} ${1e3.toInt()}")
        val grades = mapOf('A' to 90, 'B' to 80)
        for ((letter, min) in grades) {
            if (min !in 0..100) continue
            println("$letter >= $min")
        }
        val lazyValue: String by lazy { "computed" }
        println(lazyValue.takeIf { it.isNotEmpty() } ?: "empty")
    }
}
