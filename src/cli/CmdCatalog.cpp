#include "CliCommands.h"

#include "catalog/CatalogDump.h"
#include "catalog/CatalogErrors.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogWriter.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "catalog/WriteTarget.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <string>

namespace quorvex::cli {

int RunNew(int argc, char** argv)
{
    std::string file;
    std::string name;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--name") && i + 1 < argc) name = argv[++i];
        else if (file.empty() && argv[i][0] != '-') file = argv[i];
        else {
            std::fprintf(stderr, "usage: quorvex-cli new FILE.ctf [--name NAME]\n");
            return 2;
        }
    }
    if (file.empty()) {
        std::fprintf(stderr, "usage: quorvex-cli new FILE.ctf [--name NAME]\n");
        return 2;
    }
    if (name.empty()) name = QFileInfo(QString::fromLocal8Bit(file.c_str())).completeBaseName().toStdString();
    TCatalogTree tree;
    auto* cat = new TCatalogRec;
    TTreeNode* node = tree.AddChild(nullptr, name, cat);
    cat->Node = node;
    const std::string temp = file + ".tmp";
    try {
        TFileWriter out(temp);
        WriteCatalog(node, out);
        out.Close();
    } catch (const std::exception& e) {
        std::remove(temp.c_str());
        std::fprintf(stderr, "quorvex-cli: cannot write %s: %s\n", file.c_str(), e.what());
        return 1;
    }
    if (std::rename(temp.c_str(), file.c_str()) != 0) {
        std::remove(temp.c_str());
        std::fprintf(stderr, "quorvex-cli: cannot write %s: %s\n", file.c_str(), std::strerror(errno));
        return 1;
    }
    return 0;
}

int RunDump(int argc, char** argv)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: quorvex-cli dump FILE.ctf\n");
        return 2;
    }
    TCatalogTree tree;
    // A damaged file list is reported on stderr and the dump goes on.
    CatalogReaderEvents().FileListDamaged = [](TTreeNode* owner) {
        std::fprintf(stderr, "%s\n", DamagedListMessage(ItemPath(owner->Data, true, false)).c_str());
    };
    try {
        TTreeNode* node = ReadCatalogFile(tree, argv[0]);
        const std::string text = DumpCatalog(node);
        std::fwrite(text.data(), 1, text.size(), stdout);
    } catch (const EInvalidCatalog& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Can't load catalog file %s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}

} // namespace quorvex::cli
