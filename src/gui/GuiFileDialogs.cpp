#include "GuiFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace quorvex {

namespace {
const QString CatalogFilter = QStringLiteral("Catalog Files (*.ctf)");
#ifdef Q_OS_WIN
const QString ProgramFilter = QStringLiteral("Executable Files (*.exe)");
#else
const QString ProgramFilter = QStringLiteral("Executable Files (*)"); // programs carry no extension
#endif
}

std::vector<std::string> TGuiFileDialogs::OpenCatalogs(const std::string& initialDir)
{
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Open Catalog"),
                       QString::fromStdString(initialDir), CatalogFilter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix("ctf");
    std::vector<std::string> names;
    if (dialog.exec() != QDialog::Accepted) return names;
    for (const QString& f : dialog.selectedFiles()) names.push_back(QDir::toNativeSeparators(f).toStdString());
    return names;
}

std::optional<std::string> TGuiFileDialogs::SaveCatalog(const TSaveDialogRequest& request)
{
    QString start = QString::fromStdString(request.FileName);
    if (!request.InitialDir.empty() && QFileInfo(start).isRelative())
        start = QDir(QString::fromStdString(request.InitialDir)).filePath(start);
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.Title), start, CatalogFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("ctf");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        const QFileInfo chosen(dialog.selectedFiles().first());
        if (chosen.exists() && !chosen.isWritable()) continue; // read-only files are refused
        if (!chosen.absoluteDir().exists()) continue;
        return chosen.absoluteFilePath().toStdString();
    }
}

std::optional<std::string> TGuiFileDialogs::OpenProgram(const TOpenProgramRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.Title),
                       QString::fromStdString(request.InitialDir), ProgramFilter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}

} // namespace quorvex
