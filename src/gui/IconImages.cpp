#include "IconImages.h"

#include "ToolIcons.h"

#include <QApplication>
#include <QDir>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace quorvex {

namespace {

QIcon Themed(const char* name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

// base with a small coloured badge in its lower right corner carrying a short text.
QIcon WithBadge(const QIcon& base, const QString& text, const QColor& colour)
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        base.paint(&p, QRect(0, 0, size, size));
        QFont f = QApplication::font();
        f.setBold(true);
        f.setPixelSize(std::max(6, size * 3 / 8));
        p.setFont(f);
        const QFontMetrics fm(f);
        const int w = std::min(size, fm.horizontalAdvance(text) + size / 8 + 2);
        const int h = fm.height() - 1;
        const QRect badge(size - w, size - h, w, h);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(badge, 2, 2);
        p.setPen(Qt::white);
        p.drawText(badge, Qt::AlignCenter, text);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

// The catalog: a closed book with a label on its cover.
QIcon CatalogIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size / 32.0;
        p.scale(s, s);
        p.setPen(QPen(QColor(40, 50, 110), 1.5));
        p.setBrush(QColor(220, 224, 236));
        p.drawRoundedRect(QRectF(7, 4, 21, 25), 2, 2); // pages
        QLinearGradient cover(4, 0, 26, 0);
        cover.setColorAt(0, QColor(40, 70, 160));
        cover.setColorAt(1, QColor(80, 120, 210));
        p.setBrush(cover);
        p.drawRoundedRect(QRectF(4, 2, 20, 26), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 45, 110));
        p.drawRect(QRectF(4, 2, 4, 26)); // spine
        p.setBrush(QColor(250, 210, 80));
        p.drawRoundedRect(QRectF(11, 8, 10, 6), 1, 1);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

// A folder with a zipper down its middle: an archive shown as a folder.
QIcon ArchiveIcon(const QIcon& folder)
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        folder.paint(&p, QRect(0, 0, size, size));
        const qreal s = size / 32.0;
        p.scale(s, s);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(14, 9, 4, 19));
        p.setBrush(QColor(235, 200, 60));
        for (int y = 10; y < 27; y += 3) p.drawRect(QRectF(y % 2 ? 14 : 16, y, 2, 2));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace

void TIconImages::ChooseIconTheme()
{
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != "hicolor") return;
    for (const QString& theme : {QStringLiteral("Adwaita"), QStringLiteral("breeze"), QStringLiteral("oxygen")})
        if (QDir("/usr/share/icons/" + theme).exists()) {
            QIcon::setThemeName(theme);
            return;
        }
}

TIconImages::TIconImages()
{
    ChooseIconTheme();
    m_icons.resize(StandardIconCount);
    const QIcon folder = Themed("folder", QStyle::SP_DirClosedIcon);
    const QIcon folderOpen = Themed("folder-open", QStyle::SP_DirOpenIcon);
    const QIcon removable = Themed("drive-removable-media", QStyle::SP_DriveFDIcon);
    const QIcon hardDisk = Themed("drive-harddisk", QStyle::SP_DriveHDIcon);
    const QIcon floppy = Themed("media-floppy", QStyle::SP_DriveFDIcon);
    m_icons[siDefault] = Themed("text-x-generic", QStyle::SP_FileIcon);
    m_icons[siApplication] = Themed("application-x-executable", QStyle::SP_FileIcon);
    m_icons[siFolderClosed] = folder;
    m_icons[siFolderOpen] = folderOpen;
    m_icons[siHardDisk] = hardDisk;
    m_icons[siCdRom] = Themed("media-optical", QStyle::SP_DriveCDIcon);
    m_icons[siFloppy35] = WithBadge(floppy.isNull() ? removable : floppy, "3½", QColor(70, 90, 160));
    m_icons[siFloppy525] = WithBadge(floppy.isNull() ? removable : floppy, "5¼", QColor(120, 80, 40));
    m_icons[siNetwork] = Themed("network-server", QStyle::SP_DriveNetIcon);
    m_icons[siUnnamed] = Themed("computer", QStyle::SP_ComputerIcon);
    m_icons[siRemovable] = removable;
    m_icons[siRamDisk] = WithBadge(hardDisk, "RAM", QColor(30, 130, 60));
    m_icons[siCatalog] = CatalogIcon();
    m_icons[siTape] = WithBadge(removable, "T", QColor(120, 60, 140));
    m_icons[siZipDrive] = WithBadge(removable, "ZIP", QColor(30, 90, 170));
    m_icons[siJazDrive] = WithBadge(removable, "JAZ", QColor(170, 50, 40));
    m_icons[siBack] = ToolIcon(tiBack);
    m_icons[siSetup] = WithBadge(m_icons[siApplication], "S", QColor(200, 120, 0));
    m_icons[siArchiveClosed] = ArchiveIcon(folder);
    m_icons[siArchiveOpen] = ArchiveIcon(folderOpen);
    m_icons[siVirtual] = WithBadge(folder, "V", QColor(30, 120, 130));
    m_list.LookupExtension = [this](const QString& dotExtension) { return Lookup(dotExtension); };
}

const QIcon& TIconImages::Icon(int index) const
{
    return index >= 0 && index < m_icons.size() ? m_icons[index] : m_icons[siDefault];
}

TIconList::TLookup TIconImages::Lookup(const QString& dotExtension)
{
    TIconList::TLookup found;
    if (dotExtension.size() < 2) return found;
    static QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile("x" + dotExtension, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) return found;
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull()) return found;
    found.TypeName = type.comment();
    found.Index = static_cast<int>(m_icons.size());
    m_icons.push_back(icon);
    return found;
}

} // namespace quorvex
