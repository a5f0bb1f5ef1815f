// Windows entry: UTF-16 arguments, and binary standard streams so that the
// HTML's CR LF line ends pass through unchanged.
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include "cli/cli.h"

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::filesystem::path> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(std::wstring(argv[i]));
    return RunCli(args, stdin, stdout, stderr);
}
