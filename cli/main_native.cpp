// Native entry: arguments are bytes, file names among them opened as they stand.
#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return RunCli(args, stdin, stdout, stderr);
}
