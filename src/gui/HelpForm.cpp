#include "HelpForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quorvex {

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpForm");
    setWindowTitle(QStringLiteral("Quorvex Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({HelpFolder()});
    layout->addWidget(m_browser);
    resize(640, 520);
}

QString THelpForm::HelpFolder()
{
    // Installed next to the program, or the source tree's pages when run from the build.
    const QString besideProgram = QCoreApplication::applicationDirPath() + "/../share/quorvex/help";
    if (QFileInfo::exists(besideProgram + "/index.html")) return QDir(besideProgram).absolutePath();
    return QStringLiteral(QUORVEX_HELP_DIR);
}

QString THelpForm::PageOfContext(int context)
{
    if (context >= 10000 && context <= 10020) return QStringLiteral("index.html#adddisk");
    return QStringLiteral("index.html");
}

void THelpForm::ShowPage(const QString& page)
{
    const qsizetype hash = page.indexOf('#');
    QUrl url = QUrl::fromLocalFile(QDir(HelpFolder()).filePath(page.left(hash)));
    if (hash >= 0) url.setFragment(page.mid(hash + 1));
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
}

} // namespace quorvex
