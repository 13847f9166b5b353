#include "CliCommands.h"

namespace quorvex::cli {

const std::vector<TCliCommand>& Commands()
{
    static const std::vector<TCliCommand> commands = {
        {"new", "new FILE.ctf [--name NAME]", "write an empty catalog", RunNew},
        {"dump", "dump FILE.ctf", "print every item of a catalog, tab-separated", RunDump},
        {"info", "info FILE.ctf", "the catalog and its disks, without file lists", RunInfo},
        {"ls", "ls FILE.ctf [DISK[\\PATH]]", "the items of one level", RunLs},
        {"save-as", "save-as IN.ctf OUT.ctf", "save under a new name, unchanged disks copied", RunSaveAs},
        {"rewrite", "rewrite IN.ctf OUT.ctf", "save under a new name, every disk re-encoded", RunRewrite},
        {"settings", "settings [--store FILE] [NAME VALUE]",
         "print every setting, or change one", RunSettings},
        {"drives", "drives", "list the drives with their media", RunDrives},
        {"archive", "archive list FILE [--spec MASK] | archive extract FILE DEST [MEMBER...] [--folders] [--overwrite]",
         "list the members of an archive file, or unpack them", RunArchive},
        {"search", "search FILE.ctf... [--name TEXT] [OPTIONS]", "find files, folders and disks", RunSearch},
        {"scan", "scan FILE.ctf DIR [--name NAME] [--update NAME] [OPTIONS]",
         "catalogue a folder or a medium as a disk", RunScan},
    };
    return commands;
}

} // namespace quorvex::cli
