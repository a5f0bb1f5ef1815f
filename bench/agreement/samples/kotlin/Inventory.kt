// Stock keeping for a small shop: data classes, sealed results, coroutines-free.
package org.example.shop

import java.time.LocalDate
import kotlin.math.roundToInt

/**
 * One line of stock. The price is in cents.
 */
data class Item(val sku: String, val name: String, val priceCents: Long, var quantity: Int = 0) {
    init {
        require(priceCents >= 0) { "negative price for $sku" }
    }

    val total: Long get() = priceCents * quantity
}

sealed class Result<out T> {
    data class Ok<T>(val value: T) : Result<T>()
    data class Failed(val reason: String, val code: Int = 1) : Result<Nothing>()
    object Pending : Result<Nothing>()
}

enum class Category(val label: String) {
    FOOD("Food"), TOOLS("Tools"), BOOKS("Books");

    override fun toString() = label.uppercase()
}

interface Priced {
    val priceCents: Long
    fun discounted(percent: Int): Long = priceCents * (100 - percent) / 100
}

class Inventory(private val owner: String) : Iterable<Item> {
    private val items = mutableMapOf<String, Item>()
    private var lastChange: LocalDate? = null

    companion object {
        const val MAX_ITEMS = 10_000
        private const val HEX_MASK = 0xFF_FF
        private const val BITS = 0b1010_1010
        val EMPTY = Inventory("nobody")
    }

    operator fun get(sku: String): Item? = items[sku]

    fun add(item: Item): Result<Item> {
        if (items.size >= MAX_ITEMS) return Result.Failed("inventory of $owner is full")
        val existing = items[item.sku]
        return if (existing != null) {
            existing.quantity += item.quantity
            Result.Ok(existing)
        } else {
            items[item.sku] = item
            lastChange = LocalDate.now()
            Result.Ok(item)
        }
    }

    fun remove(sku: String, count: Int): Result<Int> = when {
        count <= 0 -> Result.Failed("count must be positive", code = 2)
        sku !in items -> Result.Failed("no item ${sku}")
        else -> {
            val item = items.getValue(sku)
            val taken = minOf(count, item.quantity)
            item.quantity -= taken
            if (item.quantity == 0) items.remove(sku)
            Result.Ok(taken)
        }
    }

    fun value(): Double = items.values.sumOf { it.total } / 100.0

    override fun iterator(): Iterator<Item> = items.values.iterator()
}

fun Inventory.report(): String = buildString {
    appendLine("SKU\tName\tQty")
    for (item in this@report.sortedBy { it.name }) {
        append(item.sku).append('\t').append(item.name).append("\t").appendLine(item.quantity)
    }
    append("Total: %.2f".format(value()))
}

fun main(args: Array<String>) {
    val shop = Inventory(args.firstOrNull() ?: "corner shop")
    listOf(Item("A1", "Tea", 350, 10), Item("B2", "Hammer", 1_299, 2), Item("C3", "Atlas", 2500L, 1))
        .forEach { shop.add(it) }
    when (val r = shop.remove("A1", 3)) {
        is Result.Ok -> println("took ${r.value}")
        is Result.Failed -> println("failed: ${r.reason} (${r.code})")
        Result.Pending -> println("pending")
    }
    val ratio = 0.75f
    val rounded = (shop.value() * ratio).roundToInt()
    val label: String? = null
    println(shop.report() + "\n" + rounded + " " + (label?.length ?: -1) + " \u00e9 \$")
    var i = 0
    do {
        i++
        if (i % 2 == 0) continue
    } while (i < 5)
    val raw = """
        raw string with "quotes" and $ratio
        """.trimIndent()
    println(raw is String && true || false)
}
