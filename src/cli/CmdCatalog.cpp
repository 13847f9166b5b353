#include "CliCommands.h"

#include <cstdio>

namespace quorvex::cli {

int RunNew(int, char**) { std::fputs("not yet\n", stderr); return 1; }
int RunDump(int, char**) { std::fputs("not yet\n", stderr); return 1; }

} // namespace quorvex::cli
