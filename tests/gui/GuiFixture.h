#pragma once
// A main window on its own settings file, with scripted message boxes and file dialogs, and
// catalog files written with the core's writer.

#include "MainForm.h"
#include "catalog/CatalogWriter.h"
#include "catalog/TreeNode.h"
#include "catalog/WriteTarget.h"
#include "platform/FileDialogs.h"
#include "platform/Prompt.h"

#include "CatalogBuilder.h"
#include "SampleCatalog.h"
#include "TempDir.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvex::testing {

// A catalog with archives, descriptions, categories and many kinds of files.
inline TTreeNode* BuildShowcaseCatalog(TCatalogTree& tree, const std::string& name = "Collection")
{
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog(name, "Everything on my shelf");
    static_cast<TCatalogRec*>(cat->Data)->Categories = {{"Games", 1}, {"Music", 2}, {"Work", 3}};
    TTreeNode* cd = b.Disk(cat, "Photos 2003");
    auto* cdRec = static_cast<TDiskRec*>(cd->Data);
    cdRec->MediaType = 10;
    cdRec->Description.Assign("Holiday pictures and the travel diary");
    TTreeNode* zip = b.Disk(cat, "Backup ZIP");
    static_cast<TDiskRec*>(zip->Data)->MediaType = 14;
    static_cast<TDiskRec*>(zip->Data)->Description.Assign("Weekly backup of the work folder");
    TTreeNode* floppy = b.Disk(cat, "Drivers");
    static_cast<TDiskRec*>(floppy->Data)->MediaType = 7;
    static_cast<TDiskRec*>(floppy->Data)->TotalClusters = 2847;
    static_cast<TDiskRec*>(floppy->Data)->SectorsPerCluster = 1;
    static_cast<TDiskRec*>(floppy->Data)->FreeClusters = 120;

    TTreeNode* games = b.Folder(cd, "Games");
    static_cast<TFolderRec*>(games->Data)->CategoryByte = 1;
    static_cast<TFolderRec*>(games->Data)->Description.Assign("Old DOS games");
    TTreeNode* music = b.Folder(cd, "Music");
    static_cast<TFolderRec*>(music->Data)->Description.Assign("Ripped albums\r\nin MP3 and OGG");
    TTreeNode* arc = b.Folder(cd, "SOURCES.ZIP", ifArchive);
    static_cast<TFolderRec*>(arc->Data)->Description.Assign("Source code of the diary program");
    b.File(arc, "main.c", 12000, "Entry point");
    b.File(arc, "diary.h", 1800);
    b.File(arc, "Makefile", 640);
    TTreeNode* tools = b.Folder(cd, "TOOLS.LZH", ifArchive);
    b.File(tools, "unpack.exe", 34000);
    b.File(cd, "README.TXT", 2300, "Read this first");
    b.File(cd, "diary.doc", 48000, "Travel diary, day by day");
    b.File(cd, "beach.jpg", 1250000, "Sunset at the beach");
    b.File(cd, "harbour.png", 830000);
    b.File(cd, "SETUP.EXE", 120000, "Installs the photo viewer");
    b.File(cd, "photos.html", 5400, "Index page of all pictures with a rather long description that goes on "
                                      "past the seventy characters a list shows");
    TFileRec* song = b.File(music, "track01.mp3", 4200000, "Opening theme");
    song->CategoryByte = 2;
    b.File(music, "track02.ogg", 3900000);
    b.File(games, "doom.wad", 11000000, "Shareware episode");
    b.File(games, "GAME.BAT", 80);
    b.File(zip, "report.pdf", 340000, "Quarterly report");
    b.File(zip, "budget.xls", 52000);
    b.File(floppy, "driver.sys", 24000, "Network card driver");
    b.File(floppy, "install.exe", 60000);
    return cat;
}

inline void WriteCatalogFile(TTreeNode* cat, const std::string& path)
{
    TMemoryWriter out;
    WriteCatalog(cat, out);
    WriteFileBytes(path, out.Data());
}

inline bool WaitFor(const std::function<bool()>& condition, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

class TMainFormTest : public ::testing::Test {
protected:
    TTempDir dir;
    TScriptedPrompt prompt;
    TScriptedFileDialogs dialogs;
    std::unique_ptr<TMainForm> form;

    void SetUp() override
    {
        SetPrompt(&prompt);
        SetFileDialogs(&dialogs);
        NewForm();
    }
    void TearDown() override
    {
        if (form) {
            form->close();
            form.reset();
        }
        SetPrompt(nullptr);
        SetFileDialogs(nullptr);
    }
    void NewForm()
    {
        TMainFormSetup setup;
        setup.StorePath = QString::fromStdString(dir.Path("settings.ini"));
        form = std::make_unique<TMainForm>(setup);
        form->resize(1000, 640);
        form->show();
        QApplication::processEvents();
    }
    std::string ShowcaseFile(const std::string& name = "showcase.ctf")
    {
        TCatalogTree scratch;
        WriteCatalogFile(BuildShowcaseCatalog(scratch), dir.Path(name));
        return dir.Path(name);
    }
    std::string SampleFile(const std::string& name)
    {
        TCatalogTree scratch;
        WriteCatalogFile(BuildSampleCatalog(scratch), dir.Path(name));
        return dir.Path(name);
    }
    TTreeNode* Find(TTreeNode* parent, const std::string& text)
    {
        for (const auto& c : parent->Children())
            if (c->Text == text) return c.get();
        return nullptr;
    }
    std::vector<QString> ListNames() const
    {
        std::vector<QString> names;
        for (int r = 0; r < form->ListModel()->rowCount(); ++r)
            names.push_back(form->ListModel()->data(form->ListModel()->index(r, 0), Qt::DisplayRole).toString());
        return names;
    }
    QString Panel(int i) const { return form->StatusPanels[size_t(i)]->text(); }
};

// Presses OK (or Cancel) in the next modal dialog that shows up.
inline void AnswerNextDialog(const QString& text, bool accept = true)
{
    QTimer::singleShot(50, [text, accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (auto* edit = dialog->findChild<QLineEdit*>(); edit && !text.isNull()) edit->setText(text);
        accept ? dialog->accept() : dialog->reject();
    });
}

// Runs act on the next modal window of type T once it is up; polls, because other event
// loops may run before that window's own.
template <typename T> void WhenModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(window);
    });
    timer->start();
}

} // namespace quorvex::testing
