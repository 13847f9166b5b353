// Pictures of the main window for a person to look at: written only when
// QUORVEX_SCREENSHOTS names a folder.

#include "GuiFixture.h"

#include "GuiProgress.h"

#include <QDir>
#include <QTreeView>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TEST_F(TMainFormTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEX_SCREENSHOTS not set";
    QDir().mkpath(folder);
    form->OpenCatalogFiles({ShowcaseFile(), SampleFile("sample.ctf")}, false);
    TTreeNode* cat = form->Tree().Catalog(0);
    TTreeNode* photos = Find(cat, "Photos 2003");
    form->DBTree->expandAll();
    auto shoot = [&](const QString& name) {
        QApplication::processEvents();
        QTest::qWait(50);
        form->grab().save(folder + "/" + name + ".png");
    };
    form->SelectNode(cat);
    shoot("disks");
    form->SelectNode(photos);
    form->ListView->setFocus();
    form->ListView->selectionModel()->setCurrentIndex(form->ListModel()->index(2, 0),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const char* names[] = {"large-icons", "small-icons", "list", "details"};
    for (int style = 0; style < 4; ++style) {
        form->SetViewStyle(style);
        shoot(names[style]);
    }
    form->SelectNode(Find(photos, "Music"));
    shoot("folder");
    TGuiProgress* progress = form->ProgressWindows();
    progress->ShowWait("Saving catalog, please wait...", true, true);
    progress->ShowWaitWindow();
    progress->SetProgressMax(10);
    progress->Advance(4);
    progress->WaitForm()->grab().save(folder + "/wait.png");
    progress->CloseWait();
}

} // namespace
