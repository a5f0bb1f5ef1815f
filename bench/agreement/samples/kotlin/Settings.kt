package samples.config

import java.io.File
import java.util.Properties

/** Typed access to a properties file, with defaults and validation. */
abstract class Setting<T>(val key: String, val default: T) {
    abstract fun parse(raw: String): T?
    open fun format(value: T): String = value.toString()
}

class IntSetting(key: String, default: Int, private val range: IntRange) : Setting<Int>(key, default) {
    override fun parse(raw: String): Int? = raw.trim().toIntOrNull()?.takeIf { it in range }
}

class BoolSetting(key: String, default: Boolean) : Setting<Boolean>(key, default) {
    override fun parse(raw: String): Boolean? = when (raw.trim().lowercase()) {
        "1", "true", "yes", "on" -> true
        "0", "false", "no", "off" -> false
        else -> null
    }
}

class TextSetting(key: String, default: String) : Setting<String>(key, default) {
    override fun parse(raw: String) = raw
}

class Settings(private val file: File) {
    private val values = Properties()
    val warnings = mutableListOf<String>()

    init {
        if (file.exists()) file.reader(Charsets.UTF_8).use { values.load(it) }
    }

    operator fun <T> get(setting: Setting<T>): T {
        val raw = values.getProperty(setting.key) ?: return setting.default
        return setting.parse(raw) ?: run {
            warnings += "${setting.key}: '$raw' is not valid, using ${setting.default}"
            setting.default
        }
    }

    operator fun <T> set(setting: Setting<T>, value: T) {
        values.setProperty(setting.key, setting.format(value))
    }

    fun save() {
        val temp = File(file.parentFile, file.name + ".tmp")
        temp.writer(Charsets.UTF_8).use { values.store(it, "written by Settings") }
        check(temp.renameTo(file)) { "cannot replace $file" }
    }

    companion object {
        val FONT_SIZE = IntSetting("font.size", 12, 6..72)
        val TAB_WIDTH = IntSetting("editor.tabWidth", 4, 1..16)
        val LINE_NUMBERS = BoolSetting("editor.lineNumbers", true)
        val THEME = TextSetting("ui.theme", "light")
    }
}

fun main() {
    val settings = Settings(File("app.properties"))
    settings[Settings.FONT_SIZE] = settings[Settings.FONT_SIZE] + 1
    println("font ${settings[Settings.FONT_SIZE]}pt, tabs ${settings[Settings.TAB_WIDTH]}, " +
        "numbers ${if (settings[Settings.LINE_NUMBERS]) "on" else "off"}, theme ${settings[Settings.THEME]}")
    settings.warnings.forEach(System.err::println)
    settings.save()
}
