// lumatype-bench generate OUT MEGABYTES   writes a C/C++ file of about that size
// lumatype-bench engine CONFIG FILE       converts FILE, already in memory, and prints MB/s
// (MB: 1,000,000 bytes)
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include "base/file_io.h"
#include "cli/cli_config.h"
#include "cli/utf8_sink.h"
#include "config/code_text.h"
#include "engine/convert.h"

namespace {

// Code in the shape of real C++: comments (some Chinese), strings with
// escapes, numbers, keywords, indentation with blanks and tabs.
std::string Snippet(int n) {
    const std::string id = std::to_string(n);
    return "/*\n * Buffer pool " + id + ": keeps blocks for reuse.\n * 缓冲池：重复使用内存块。\n */\n"
           "#include <stdio.h>\n"
           "static const char* kName" + id + " = \"pool-" + id + "\\t<ready>\\n\";\n\n"
           "struct Pool" + id + " {\n"
           "    unsigned int count;   // blocks in use\n"
           "    double load = 0.75;\n"
           "    char* blocks[64];\n"
           "};\n\n"
           "int Acquire" + id + "(struct Pool" + id + "* pool, size_t size)\n{\n"
           "\tif (pool == NULL || size > 4096) {\n"
           "\t\treturn -1;  /* 参数无效 */\n"
           "\t}\n"
           "\tfor (int i = 0; i < 64; ++i) {\n"
           "\t\tif (pool->blocks[i] != 0 && (i & 1) == 0) {\n"
           "\t\t\tprintf(\"%s: block %d of %u\\n\", kName" + id + ", i, pool->count);\n"
           "\t\t\treturn i * 2 + 0x1F;\n"
           "\t\t}\n"
           "\t}\n"
           "\tpool->load = pool->load * 1.5e3 / (pool->count + 1);\n"
           "\treturn 'x' - 'a';\n"
           "}\n\n";
}

int Generate(const char* path, double megabytes) {
    std::string code;
    for (int n = 0; code.size() < megabytes * 1e6; ++n) code += Snippet(n);
    FILE* file = std::fopen(path, "wb");
    if (!file) return 2;
    const bool ok = std::fwrite(code.data(), 1, code.size(), file) == code.size();
    return std::fclose(file) == 0 && ok ? 0 : 2;
}

int Engine(const char* configPath, const char* filePath) {
    CliConfig config;
    if (!config.Load(Utf8ToWide(configPath))) return std::fprintf(stderr, "cannot read %s\n", configPath), 2;
    const std::optional<std::string> bytes = ReadFileBytes(Utf8ToWide(filePath));
    const std::optional<CodeText> code = bytes ? DecodeCodeText(*bytes).text : std::nullopt;
    const CliLanguage* language = config.ForFileName(Utf8ToWide(filePath));
    if (!code || !language) return std::fprintf(stderr, "cannot convert %s\n", filePath), 2;
    const ColorTheme theme = config.LoadTheme(config.DefaultTheme());
    CliConfig::Parse(*language);

    // The UTF-8 goes to the null device in blocks, as the command line streams it.
    FILE* null = std::fopen("/dev/null", "wb");
    if (!null) return std::fprintf(stderr, "cannot open /dev/null\n"), 2;
    double best = 1e9;
    for (int run = 0; run < 7; ++run) {
        const auto start = std::chrono::steady_clock::now();
        Utf8Sink sink(null);
        // In place, as the command line converts.
        ConvertPaddedCode(config.Settings(), theme, language->info, {code->View().data(), code->View().size()}, true,
                          u"1", sink);
        sink.Finish();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::fclose(null);
    std::printf("%.1f\n", static_cast<double>(bytes->size()) / 1e6 / best);
    std::fprintf(stderr, "engine: %zu bytes of code, best of 7 conversions %.1f ms\n", bytes->size(), best * 1000);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && !std::strcmp(argv[1], "generate")) return Generate(argv[2], std::atof(argv[3]));
    if (argc == 4 && !std::strcmp(argv[1], "engine")) return Engine(argv[2], argv[3]);
    std::fprintf(stderr, "usage: lumatype-bench generate OUT MEGABYTES | engine CONFIG FILE\n");
    return 2;
}
