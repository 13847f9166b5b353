#include "config/OptionsFormRules.h"

#include "config/Options.h"

#include <algorithm>

namespace quorvex {

TOptionsEnabling OptionsEnabling(const TOptions& options, const QString& descEditText)
{
    TOptionsEnabling e;
    e.ArchiveKinds = options.InsideZipCheck();
    e.DescTruncEdit = options.DescTruncCheck();
    e.SerialAskCheck = options.SetSerialCheck();
    e.AutohideCheck = options.DescAsTipsCheck();
    e.DescWaitBar = options.DescAsTipsCheck();
    e.DescHideBar = options.DescAsTipsCheck() && options.AutohideCheck();
    e.DescMaxLevels = options.DescAlwaysCheck();
    e.ViewerEdit = options.ExternalViewerCheck();
    e.AutoloadControls = options.AutoloadCheck();
    e.AutoloadAdd = e.AutoloadControls && options.AutoloadList().size() < MaxAutoloadCatalogs;
    e.AutoloadUpDown = e.AutoloadControls && !options.AutoloadList().isEmpty();
    e.DescAdd = !descEditText.isEmpty();
    e.DescListButtons = !options.DescList().isEmpty();
    return e;
}

QString CleanDescMask(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u',' || c == u'/' || c == u'\\') continue;
        if ((c == u'*' || c == u'?') && !out.isEmpty() && out.back() == u'*') continue;
        out.append(c);
    }
    return out.toUpper();
}

bool CanAddAutoload(const QStringList& listed, const QString& catalog)
{
    return !listed.contains(catalog, Qt::CaseInsensitive);
}

QString ProgramExtension()
{
#ifdef Q_OS_WIN
    return QStringLiteral(".exe");
#else
    return QString();
#endif
}

QString WithProgramExtension(const QString& name, const QString& extension)
{
    if (name.isEmpty() || extension.isEmpty()) return name;
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (name.indexOf(u'.', slash + 1) >= 0) return name;
    return name + extension;
}

bool MoveListEntry(QStringList& list, int index, int delta)
{
    const int target = index + delta;
    if (index < 0 || index >= list.size() || target < 0 || target >= list.size()) return false;
    list.move(index, target);
    return true;
}

} // namespace quorvex
