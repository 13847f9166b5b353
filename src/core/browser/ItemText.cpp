#include "browser/ItemText.h"

#include "browser/BackItem.h"
#include "browser/BrowserOptions.h"
#include "browser/DisplayText.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "scan/MediaType.h"

#include <QLocale>

#include <cmath>

namespace quorvex {

namespace {

QLocale NumberLocale()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::DefaultNumberOptions); // keep the thousands separators
    return locale;
}

QString CurrencyToBytesText(int64_t currency) { return ListSizeText(currency / CurrencyScale); }

QString Plural(qint64 n, const char* word)
{
    return QString::number(n) + ' ' + QLatin1String(word) + (n == 1 ? "" : "s");
}

} // namespace

QString FormatSize(double x)
{
    static const char* const units[] = {"B", "kB", "MB", "GB", "TB"};
    int unit = 0;
    double remainder = 0;
    while (x >= 1024 && unit < 4) {
        remainder = std::fmod(x, 1024);
        x = std::floor(x / 1024);
        ++unit;
    }
    QString text = QString::number(static_cast<qint64>(std::floor(x)));
    if (text.size() <= 2 && x != 0 && unit > 0 && remainder > 0) {
        QString fraction = QString::number(remainder / 1024, 'f', 12);
        while (fraction.endsWith('0')) fraction.chop(1);
        fraction = fraction.mid(fraction.indexOf('.') + 1).left(text.size() == 1 ? 2 : 1);
        if (!fraction.isEmpty()) text += QLocale::system().decimalPoint() + fraction;
    }
    return text + ' ' + QLatin1String(units[unit]);
}

QString ExactSize(int64_t bytes) { return NumberLocale().toString(static_cast<qlonglong>(bytes)); }

QString ListSizeText(int64_t bytes)
{
    return BrowserOptions().FormattedSizesCheck ? FormatSize(static_cast<double>(bytes)) : ExactSize(bytes);
}

QDateTime DosDateTimeValue(int32_t dos)
{
    if (dos == 0) return {};
    const auto v = static_cast<uint32_t>(dos);
    const QDate date(int(v >> 25) + 1980, int(v >> 21) & 15, int(v >> 16) & 31);
    const QTime time(int(v >> 11) & 31, int(v >> 5) & 63, (int(v) & 31) * 2);
    if (!date.isValid()) return {};
    return QDateTime(date, time.isValid() ? time : QTime(0, 0));
}

QString DosDateText(int32_t dos)
{
    const QDateTime dt = DosDateTimeValue(dos);
    return dt.isValid() ? QLocale::system().toString(dt.date(), QLocale::ShortFormat) : QString();
}

QString DosTimeText(int32_t dos)
{
    const QDateTime dt = DosDateTimeValue(dos);
    return dt.isValid() ? QLocale::system().toString(dt.time(), QLocale::ShortFormat) : QString();
}

QString CataloguedText(double days)
{
    if (days == 0) return {};
    if (!std::isfinite(days) || std::fabs(days) > 2958465.0) return QStringLiteral("(unknown)");
    const double whole = std::floor(days);
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
    const auto msecs = static_cast<int>(std::lround((days - whole) * 86400000.0));
    const QLocale locale = QLocale::system();
    QString text = locale.toString(date, QLocale::ShortFormat);
    if (msecs > 0 && msecs < 86400000)
        text += ", " + locale.toString(QTime::fromMSecsSinceStartOfDay(msecs), QLocale::ShortFormat);
    return text;
}

QString AttrText(uint8_t attr)
{
    QString text;
    if (attr & faDirectory) text += 'd';
    if (attr & faReadOnly) text += 'r';
    if (attr & faHidden) text += 'h';
    if (attr & faSysFile) text += 's';
    if (attr & faArchive) text += 'a';
    return text;
}

static bool IsTrimmed(QChar c)
{
    return c == ' ' || c == '\t' || c == QChar(0x1A) || c == QChar(0xFF);
}

QString ShortDescription(const QString& full)
{
    qsizetype start = 0;
    while (start < full.size() && (full[start] == '\r' || full[start] == '\n')) ++start;
    const QString text = full.mid(start);
    qsizetype c = text.size();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') {
            c = i + 1;
            break;
        }
    c = std::min<qsizetype>(c, 70);
    if (c >= text.size()) return text;
    QString head = text.left(c - 1);
    qsizetype b = 0, e = head.size();
    while (b < e && IsTrimmed(head[b])) ++b;
    while (e > b && IsTrimmed(head[e - 1])) --e;
    return head.mid(b, e - b) + " (more...)";
}

QString MediaTypeText(uint8_t mediaType, uint8_t kindFlags) { return MediaTypeName(mediaType, kindFlags); }

QString ItemName(const TItemRec* rec)
{
    if (!rec) return {};
    if (ItemIs(rec->KindFlags, ikFile)) return DisplayText(static_cast<const TFileRec*>(rec)->Name());
    return rec->Node ? DisplayText(rec->Node->Text) : QString();
}

QString ItemDescription(const TItemRec* rec)
{
    if (!rec) return {};
    switch (ItemKind(rec->KindFlags)) {
    case ikFile: return DisplayText(static_cast<const TFileRec*>(rec)->Description.View());
    case ikFolder: return DisplayText(static_cast<const TFolderRec*>(rec)->Description.View());
    case ikDisk: return DisplayText(static_cast<const TDiskRec*>(rec)->Description.View());
    case ikCatalog: return DisplayText(static_cast<const TCatalogRec*>(rec)->Description.View());
    default: return {};
    }
}

QString CategoryName(const TItemRec* rec)
{
    uint8_t byte = 0;
    if (ItemIs(rec, ikFile)) byte = static_cast<const TFileRec*>(rec)->CategoryByte;
    else if (ItemIs(rec, ikFolder)) byte = static_cast<const TFolderRec*>(rec)->CategoryByte;
    const int number = byte & 31;
    if (number == 0 || !rec->Node) return {};
    const TCatalogRec* cat = OwningCatalogRec(rec->Node);
    if (!cat) return {};
    for (const auto& [name, n] : cat->Categories)
        if (n == number) return DisplayText(name);
    return {};
}

int64_t ItemSizeBytes(const TItemRec* rec)
{
    if (!rec || IsBackItem(rec)) return 0;
    switch (ItemKind(rec->KindFlags)) {
    case ikFile: return static_cast<const TFileRec*>(rec)->Size;
    case ikFolder: return static_cast<const TFolderRec*>(rec)->TotalSize / CurrencyScale;
    case ikDisk: return DiskSize(static_cast<const TDiskRec*>(rec), TDiskSizeKind::Capacity) / CurrencyScale;
    default: return 0;
    }
}

QString ExtensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    const qsizetype sep = name.lastIndexOf('\\');
    return dot < 0 || dot < sep ? QString() : name.mid(dot + 1);
}

static TTreeNode* DiskNodeOf(const TItemRec* rec)
{
    if (ItemIs(rec, ikFolder)) {
        auto* folder = static_cast<const TFolderRec*>(rec);
        return folder->DiskNode ? folder->DiskNode : OwningDisk(rec->Node);
    }
    return OwningDisk(rec->Node);
}

static QString FileOrFolderText(const TItemRec* rec, int field, bool shortDescriptions)
{
    const bool isFile = ItemIs(rec, ikFile);
    auto* file = static_cast<const TFileRec*>(rec);
    auto* folder = static_cast<const TFolderRec*>(rec);
    const int32_t modified = isFile ? file->Modified : folder->Modified;
    switch (field) {
    case fdName: return ItemName(rec);
    case fdExt: return ExtensionOf(ItemName(rec));
    case fdSize:
        if (isFile) return ListSizeText(file->Size);
        return IsBackItem(rec) ? QString() : CurrencyToBytesText(folder->TotalSize);
    case fdDate: return DosDateText(modified);
    case fdTime: return DosTimeText(modified);
    case fdAttr: return AttrText(isFile ? file->Attr : folder->Attr);
    case fdDescription: {
        const QString d = ItemDescription(rec);
        return shortDescriptions ? ShortDescription(d) : d;
    }
    case fdCategory: return CategoryName(rec);
    case fdDiskName: {
        TTreeNode* disk = DiskNodeOf(rec);
        return disk ? DisplayText(disk->Text) : QString();
    }
    case fdMediaType: {
        TTreeNode* disk = DiskNodeOf(rec);
        auto* d = disk ? AsDisk(disk->Data) : nullptr;
        return d ? MediaTypeText(d->MediaType, d->KindFlags) : QString();
    }
    case fdPath:
        if (IsBackItem(rec)) return {};
        return PathText(ItemPath(const_cast<TItemRec*>(rec), false, false));
    default: return {};
    }
}

static QString DiskText(const TDiskRec* disk, int field, bool shortDescriptions)
{
    switch (field) {
    case 0: return disk->Node ? DisplayText(disk->Node->Text) : QString();
    case 1: return MediaTypeText(disk->MediaType, disk->KindFlags);
    case 2: return DisplayText(disk->VolumeLabel);
    case 3:
    case 11: return FormatSize(double(DiskSize(disk, TDiskSizeKind::Capacity) / CurrencyScale));
    case 4:
    case 12: return FormatSize(double(DiskSize(disk, TDiskSizeKind::Free) / CurrencyScale));
    case 5: return CataloguedText(disk->Catalogued);
    case 6:
    case 13: {
        const QString d = DisplayText(disk->Description.View());
        return shortDescriptions ? ShortDescription(d) : d;
    }
    case 10: {
        TTreeNode* cat = disk->Node ? disk->Node->Parent() : nullptr;
        return cat && cat->Data ? DisplayText(cat->Text) : QString();
    }
    default: return {};
    }
}

QString ItemText(const TItemRec* rec, int field, bool shortDescriptions)
{
    if (!rec) return {};
    switch (ItemKind(rec->KindFlags)) {
    case ikFile:
    case ikFolder: return FileOrFolderText(rec, field, shortDescriptions);
    case ikDisk: return DiskText(static_cast<const TDiskRec*>(rec), field, shortDescriptions);
    case ikCatalog: {
        TTreeNode* node = rec->Node;
        if (!node) return {};
        if (field == 0) return DisplayText(node->Text);
        if (field == 10) return QString::number(node->Count());
        if (field == 2) {
            int64_t total = 0;
            for (int i = 0; i < node->Count(); ++i)
                if (auto* d = AsDisk(node->Child(i)->Data))
                    total = SaturatingAdd(total, DiskSize(d, TDiskSizeKind::Capacity));
            return FormatSize(double(total / CurrencyScale));
        }
        return {};
    }
    default: return {};
    }
}

QString StatusItemText(TItemRec* rec, const QString& name)
{
    if (!rec) return {};
    switch (ItemKind(rec->KindFlags)) {
    case ikFile: {
        auto* file = static_cast<TFileRec*>(rec);
        return name + (ItemIs(rec, ifArchive) ? " (compressed file)" : "") + ", " +
               FormatSize(file->Size) + ", " + DosDateText(file->Modified);
    }
    case ikFolder: {
        if (IsBackItem(rec)) return QStringLiteral("Previous folder...");
        auto* folder = static_cast<TFolderRec*>(rec);
        const bool archive = ItemIs(rec, ifArchive);
        QString text = name + " (" + (archive ? "compressed archive file" : "folder") + "), " +
                       FormatSize(double(folder->TotalSize / CurrencyScale));
        if (folder->TotalSize != 0 && rec->Node) {
            try {
                BrowseSubfolders(rec->Node);
            } catch (...) {
            }
            qint64 subfolders = 0, archives = 0;
            for (const auto& child : rec->Node->Children()) {
                if (child->Data && ItemIs(child->Data, ifArchive)) ++archives;
                else ++subfolders;
            }
            text += QString(archive ? " includes " : " in ") + Plural(subfolders, "subfolder") + ", " +
                    Plural(folder->FileCount + archives, "file");
        }
        return text;
    }
    case ikDisk: {
        auto* disk = static_cast<TDiskRec*>(rec);
        return name + " (" + MediaTypeText(disk->MediaType, disk->KindFlags) + "), " +
               FormatSize(double(DiskSize(disk, TDiskSizeKind::Capacity) / CurrencyScale)) + ", free " +
               FormatSize(double(DiskSize(disk, TDiskSizeKind::Free) / CurrencyScale));
    }
    case ikCatalog: {
        auto* cat = static_cast<TCatalogRec*>(rec);
        const QString file = cat->FileName.empty() ? QStringLiteral("no filename") : QString::fromStdString(cat->FileName);
        return name + " (" + file + "), total disks: " + QString::number(rec->Node ? rec->Node->Count() : 0);
    }
    default: return {};
    }
}

QString ListTotals(const std::vector<TItemRec*>& counted, bool selected)
{
    int64_t sum = 0;
    for (TItemRec* rec : counted) sum = SaturatingAdd(sum, ItemSizeBytes(rec));
    const auto n = static_cast<qint64>(counted.size());
    return QString(selected ? "Selected: " : "Total: ") + Plural(n, "item") + ", " + FormatSize(double(sum));
}

int FindItemByPrefix(const std::vector<TItemRec*>& store, const QString& text, int start)
{
    const int count = static_cast<int>(store.size());
    if (count == 0) return -1;
    start = std::clamp(start, 0, count - 1);
    for (int k = 0; k < count; ++k) {
        const int i = (start + k) % count;
        if (ItemName(store[size_t(i)]).startsWith(text, Qt::CaseInsensitive)) return i;
    }
    return -1;
}

QString DescriptionTip(const QString& text)
{
    constexpr int MaxLine = 80, MaxLines = 15;
    QStringList out;
    const QStringList paragraphs = QString(text).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    for (const QString& paragraph : paragraphs) {
        QString rest = paragraph;
        do {
            if (out.size() == MaxLines) {
                out << QStringLiteral("(more...)");
                return out.join('\n');
            }
            if (rest.size() <= MaxLine) {
                out << rest;
                break;
            }
            qsizetype cut = -1;
            for (qsizetype i = MaxLine; i > 0 && cut < 0; --i) {
                const QChar c = rest[i];
                if (c == ' ' || c == ',' || c == '-' || c == '.') cut = i;
            }
            if (cut <= 0) cut = MaxLine;
            out << rest.left(cut);
            rest = rest.mid(cut);
            if (rest.startsWith(' ')) rest.remove(0, 1);
        } while (!rest.isEmpty());
    }
    return out.join('\n');
}

} // namespace quorvex
