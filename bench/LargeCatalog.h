#pragma once
// A synthetic catalog of 1,000,000 files in 100 disks (100 folders of 100 files each), and
// that catalog written once to a temporary file.

#include "CatalogBuilder.h"

#include "catalog/CatalogWriter.h"
#include "catalog/WriteTarget.h"

#include <QTemporaryDir>

#include <cstdio>

namespace quorvex::testing {

constexpr int Disks = 100;
constexpr int FoldersPerDisk = 100;
constexpr int FilesPerFolder = 100;

inline TTreeNode* BuildLarge(TCatalogTree& tree, int64_t& nameBytes)
{
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("Large");
    nameBytes = 0;
    char name[32];
    for (int d = 0; d < Disks; ++d) {
        TTreeNode* disk = b.Disk(cat, "Disk " + std::to_string(d));
        for (int f = 0; f < FoldersPerDisk; ++f) {
            TTreeNode* folder = b.Folder(disk, "Folder" + std::to_string(f));
            for (int i = 0; i < FilesPerFolder; ++i) {
                const int n = std::snprintf(name, sizeof name, "FILE%05d.DAT", i * 7 + f);
                nameBytes += n;
                b.File(folder, name, i * 1000 + f, i % 10 == 0 ? "a short description" : "");
            }
        }
    }
    return cat;
}

struct TLargeFile {
    QTemporaryDir dir;
    std::string path;
    int64_t size = 0;
    int64_t nameBytes = 0;
    TLargeFile()
    {
        path = dir.filePath("large.ctf").toStdString();
        TCatalogTree tree;
        TTreeNode* cat = BuildLarge(tree, nameBytes);
        TFileWriter out(path);
        WriteCatalog(cat, out);
        out.Close();
        size = out.Position();
    }
};

inline TLargeFile& Large()
{
    static TLargeFile file;
    return file;
}


} // namespace quorvex::testing
