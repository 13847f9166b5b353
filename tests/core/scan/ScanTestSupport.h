#pragma once
// Folder trees on the real file system for the disk scan tests, a fake drive standing for
// them, and the scanned catalog saved, reopened and printed in a stable form.

#include "CatalogBuilder.h"
#include "FakeMachine.h"
#include "TempDir.h"

#include "archive/ArchiveDates.h"
#include "catalog/CatalogDump.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogWriter.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "catalog/WriteTarget.h"
#include "scan/DiskScanner.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex::testing
{

// 2022-03-04 05:06:08 UTC; the tests run in UTC.
constexpr int64_t FixedTime = 1646370368;
constexpr int32_t FixedDos =
    int32_t((42u << 25) | (3u << 21) | (4u << 16) | (5u << 11) | (6u << 5) | 4u);

inline void SetTimes(const std::string& path, int64_t seconds)
{
    const timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

class ScanTest : public FakeMachineTest
{
protected:
    static void SetUpTestSuite()
    {
        setenv("TZ", "UTC", 1);
        tzset();
        SetTimeZoneBiasSeconds(0);
    }

    void SetUp() override
    {
        FakeMachineTest::SetUp();
        SetProgress(&progress);
        root = QDir(QString::fromStdString(dir.Path("medium"))).absolutePath().toStdString();
        QDir().mkpath(QString::fromStdString(root));
        drives.Add("fx", dtFixed).Root = QString::fromStdString(root);
        TFakeMedium medium = Medium("MEDIUM", 0x1A2B3C4D, 100000);
        medium.SectorsPerCluster = 8;
        medium.FreeClusters = 40000;
        drives.Insert("fx", medium);
        catalog = b.Catalog("Cat");
    }
    void TearDown() override
    {
        SetProgress(nullptr);
        FakeMachineTest::TearDown();
    }

    std::string At(const std::string& rel) const { return root + "/" + rel; }
    void Folder(const std::string& rel) { QDir().mkpath(QString::fromStdString(At(rel))); }
    void File(const std::string& rel, const std::string& bytes, int64_t time = FixedTime)
    {
        WriteFileBytes(At(rel), bytes);
        SetTimes(At(rel), time);
    }
    void Fixture(const std::string& name, const std::string& rel)
    {
        File(rel, ReadFileBytes(std::string(QUORVEX_FIXTURES) + "/scan/" + name));
    }
    // Folder times last: writing inside a folder changes them.
    void StampFolders(const std::vector<std::string>& rels)
    {
        for (const std::string& rel : rels)
            SetTimes(At(rel), FixedTime);
        SetTimes(root, FixedTime);
    }

    TScanResult Run(const TScanOptions& options, TTreeNode* old = nullptr,
                    const QString& virtualRoot = {})
    {
        TScanRequest request;
        request.Catalog = catalog;
        request.Drive = "fx";
        request.OldDisk = old;
        request.VirtualRoot = virtualRoot;
        return Scan(request, options);
    }

    // The catalog written to a file and read back whole, as dump lines in sorted order.
    // Times the file system sets by itself (creation, last access, the scan's own time) are
    // left out; an archive member's created and accessed fields are its CRC and packed size.
    std::vector<std::string> SavedDump()
    {
        const std::string file = dir.Path("saved" + std::to_string(++m_saves) + ".ctf");
        {
            TFileWriter out(file);
            WriteCatalog(catalog, out);
            out.Close();
        }
        TCatalogTree other;
        TTreeNode* reopened = ReadCatalogFile(other, file);
        LoadEverything(reopened);
        return StableDump(reopened);
    }

    // The catalog saved and opened again in its place, its file lists left on the file.
    std::string Reopen()
    {
        const std::string file = dir.Path("reopened" + std::to_string(++m_saves) + ".ctf");
        {
            TFileWriter out(file);
            WriteCatalog(catalog, out);
            out.Close();
        }
        tree.Delete(catalog);
        catalog = ReadCatalogFile(tree, file);
        return file;
    }

    static TTreeNode* ChildNamed(TTreeNode* node, const std::string& name)
    {
        for (const auto& child : node->Children())
            if (child->Text == name) return child.get();
        return nullptr;
    }
    static TFileRec* FileNamed(TTreeNode* node, std::string_view name)
    {
        for (TFileRec* f = node->Data->Next; f; f = f->Next)
            if (f->Name() == name) return f;
        return nullptr;
    }

    static std::vector<std::string> StableDump(TTreeNode* cat)
    {
        std::vector<std::string> lines;
        std::istringstream in(DumpCatalog(cat));
        static const std::regex times(
            "\t(created|accessed|catalogued|recordOffset|recordLength|folderIndexOffset|"
            "filesOffset|filesLength)=[^\t]*");
        static const std::regex memberTimes(
            "\t(catalogued|recordOffset|recordLength|folderIndexOffset|filesOffset|"
            "filesLength)=[^\t]*");
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("catalog\t", 0) == 0) continue;
            const bool member = line.find("kind=0x11") != std::string::npos;
            lines.push_back(std::regex_replace(line, member ? memberTimes : times, ""));
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    TTempDir dir;
    std::string root;
    TCatalogTree tree;
    TCatalogBuilder b{tree};
    TTreeNode* catalog = nullptr;
    TRecordingProgress progress;

private:
    int m_saves = 0;
};

} // namespace quorvex::testing
