#include "CliCommands.h"

namespace quorvex::cli {

const std::vector<TCliCommand>& Commands()
{
    static const std::vector<TCliCommand> commands = {
        {"new", "new FILE.ctf [--name NAME]", "write an empty catalog", RunNew},
        {"dump", "dump FILE.ctf", "print every item of a catalog, tab-separated", RunDump},
    };
    return commands;
}

} // namespace quorvex::cli
