#include "CliCommands.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string>

using namespace quorvex::cli;

static void PrintUsage()
{
    std::fputs("Usage: quorvex-cli COMMAND [ARGS]\n\nCommands:\n", stdout);
    for (const TCliCommand& c : Commands()) std::printf("  %-40s %s\n", c.Usage, c.Summary);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        PrintUsage();
        return argc < 2 ? 2 : 0;
    }
    for (const TCliCommand& c : Commands())
        if (argv[1] == std::string(c.Name)) return c.Run(argc - 2, argv + 2);
    std::fprintf(stderr, "quorvex-cli: unknown command '%s'\n", argv[1]);
    PrintUsage();
    return 2;
}
