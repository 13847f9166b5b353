#pragma once
// The command table of quorvex-cli. Each command lives in a file of its own and is listed
// once in CliCommands.cpp.

#include <vector>

namespace quorvex::cli {

struct TCliCommand {
    const char* Name;
    const char* Usage;
    const char* Summary;
    int (*Run)(int argc, char** argv); // arguments after the command name
};

const std::vector<TCliCommand>& Commands();

int RunNew(int argc, char** argv);
int RunDump(int argc, char** argv);
int RunInfo(int argc, char** argv);
int RunLs(int argc, char** argv);
int RunSaveAs(int argc, char** argv);
int RunRewrite(int argc, char** argv);
int RunSettings(int argc, char** argv);
int RunDrives(int argc, char** argv);
int RunArchive(int argc, char** argv);
int RunSearch(int argc, char** argv);
int RunScan(int argc, char** argv);

} // namespace quorvex::cli
