package samples.net

import java.io.File
import java.net.URI
import java.util.concurrent.atomic.AtomicInteger
import kotlinx.coroutines.*
import kotlinx.coroutines.channels.Channel

enum class State { QUEUED, RUNNING, DONE, FAILED }

data class Job(val id: Int, val uri: URI, val target: File) {
    @Volatile var state: State = State.QUEUED
    var bytes: Long = 0L
        private set

    fun record(count: Int) {
        bytes += count
    }
}

interface Progress {
    fun started(job: Job) {}
    fun finished(job: Job, error: Throwable?)
}

// Downloads a list of files with a fixed number of workers; a failed job
// does not stop the others, and the summary tells which ones failed.
class DownloadQueue(private val workers: Int = 4, private val progress: Progress) {
    private val nextId = AtomicInteger(1)
    private val jobs = mutableListOf<Job>()

    fun add(uri: String, directory: File): Job {
        val parsed = URI(uri)
        val name = parsed.path.substringAfterLast('/').ifEmpty { "index.html" }
        return Job(nextId.getAndIncrement(), parsed, File(directory, name)).also { jobs += it }
    }

    suspend fun runAll(): Map<State, List<Job>> = coroutineScope {
        val channel = Channel<Job>(Channel.UNLIMITED)
        jobs.forEach { channel.trySend(it) }
        channel.close()
        repeat(workers) {
            launch(Dispatchers.IO) {
                for (job in channel) fetch(job)
            }
        }
        jobs
    }.groupBy { it.state }

    private fun fetch(job: Job) {
        job.state = State.RUNNING
        progress.started(job)
        try {
            job.uri.toURL().openStream().use { input ->
                job.target.outputStream().use { output ->
                    val buffer = ByteArray(8 * 1024)
                    while (true) {
                        val count = input.read(buffer)
                        if (count < 0) break
                        output.write(buffer, 0, count)
                        job.record(count)
                    }
                }
            }
            job.state = State.DONE
            progress.finished(job, null)
        } catch (e: Exception) {
            job.state = State.FAILED
            job.target.delete()
            progress.finished(job, e)
        }
    }
}

object ConsoleProgress : Progress {
    override fun started(job: Job) = println("#${job.id} ${job.uri}")

    override fun finished(job: Job, error: Throwable?) {
        val outcome = error?.let { "failed: ${it.message}" } ?: "${job.bytes} bytes"
        println("#${job.id} $outcome")
    }
}

fun main() = runBlocking {
    val queue = DownloadQueue(workers = 2, progress = ConsoleProgress)
    val directory = File(System.getProperty("java.io.tmpdir"))
    listOf("https://example.org/", "https://example.org/missing.txt").forEach { queue.add(it, directory) }
    val summary = queue.runAll()
    println("""
        |done:   ${summary[State.DONE]?.size ?: 0}
        |failed: ${summary[State.FAILED]?.size ?: 0}
    """.trimMargin())
}
