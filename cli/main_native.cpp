// Native entry: arguments arrive as UTF-8.
#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<WString> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8ToWide(argv[i]));
    return RunCli(args, stdin, stdout, stderr);
}
