// search: the search window's matching and lazy walk from the command line.
#include "CliCommands.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "platform/Prompt.h"
#include "search/DosTime.h"
#include "search/FoundList.h"
#include "search/SearchHost.h"
#include "search/SearchThread.h"
#include "search/SearchValidation.h"
#include "search/SizeValue.h"

#include <QDate>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace quorvex::cli {

namespace {

const char* const Usage =
    "usage: quorvex-cli search FILE.ctf... [--name TEXT] [--mode part|mask|exact|ext] [--case]\n"
    "         [--desc TEXT] [--size-min N] [--size-max N] [--date-from YYYY-MM-DD] [--date-to YYYY-MM-DD]\n"
    "         [--files|--folders|--disks] [--no-archives] [--limit N]\n";

int UsageError(const char* what = nullptr)
{
    if (what) std::fprintf(stderr, "quorvex-cli search: %s\n", what);
    std::fputs(Usage, stderr);
    return 2;
}

// Complaints go to stderr and are answered No, so an invalid criterion stops the search.
class TRefusingPrompt : public IPrompt {
public:
    int Ask(const TPromptMessage& m) override
    {
        std::fprintf(stderr, "%s: %s\n", m.Caption.toUtf8().constData(),
                     QString(m.Text).replace(u'\r', u' ').toUtf8().constData());
        return m.Buttons & pbNo ? pbNo : FirstButton(m.Buttons);
    }
};

bool ReadCount(const char* text, int64_t& value)
{
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (!*text || *end || v < 0) return false;
    value = v;
    return true;
}

bool ReadDate(const char* text, QDate& date)
{
    date = QDate::fromString(QString::fromUtf8(text), Qt::ISODate);
    return date.isValid();
}

std::string DateText(uint32_t packed)
{
    if (!packed) return {};
    const QDate d = DosDate(packed);
    const QTime t = DosTime(packed);
    if (!d.isValid() || !t.isValid()) return {};
    return (d.toString(Qt::ISODate) + u' ' + t.toString(Qt::ISODate)).toStdString();
}

void PrintHit(TItemRec* item)
{
    TTreeNode* node = ItemNode(item);
    TTreeNode* catNode = OwningCatalog(node);
    TTreeNode* diskNode = OwningDisk(node);
    std::string path, name, date;
    int64_t size = 0;
    if (auto* file = AsFile(item)) {
        path = ItemPath(item, false, false);
        name = std::string(file->Name());
        size = file->Size;
        date = DateText(static_cast<uint32_t>(file->Modified));
    } else if (auto* folder = AsFolder(item)) {
        path = ItemPath(item, false, false);
        name = node->Text;
        size = folder->TotalSize / CurrencyScale;
        date = DateText(static_cast<uint32_t>(folder->Modified));
    } else if (auto* disk = AsDisk(item)) {
        name = node->Text;
        size = DiskSize(disk, TDiskSizeKind::Capacity) / CurrencyScale;
        date = DateText(DosFromDayCount(disk->Catalogued));
    }
    std::printf("%s\t%s\t%s\t%s\t%" PRId64 "\t%s\n", catNode ? catNode->Text.c_str() : "",
                diskNode ? diskNode->Text.c_str() : "", path.c_str(), name.c_str(), size, date.c_str());
}

struct TParsed {
    std::vector<std::string> Files;
    TSearchCriteria Criteria;
};

// Returns 0 when parsed, otherwise the exit status.
int Parse(int argc, char** argv, TParsed& p)
{
    TSearchCriteria& c = p.Criteria;
    bool kindGiven = false;
    bool files = false, folders = false, disks = false;
    bool hasMin = false, hasMax = false, hasFrom = false, hasTo = false;
    int64_t sizeMin = 0, sizeMax = 0;
    QDate from, to;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--name") {
            const char* v = value();
            if (!v) return UsageError("--name needs a text");
            c.ByName = true;
            c.NameText = QString::fromUtf8(v);
        } else if (a == "--mode") {
            const char* v = value();
            const std::string m = v ? v : "";
            if (m == "part") c.NameMode = nmPartOfName;
            else if (m == "mask") c.NameMode = nmMask;
            else if (m == "exact") c.NameMode = nmExact;
            else if (m == "ext") c.NameMode = nmExtension;
            else return UsageError("--mode is part, mask, exact or ext");
        } else if (a == "--case") {
            c.FileCase = true;
        } else if (a == "--desc") {
            const char* v = value();
            if (!v) return UsageError("--desc needs a text");
            c.ByDesc = true;
            c.DescChoice = dcText;
            c.DescText = QString::fromUtf8(v);
        } else if (a == "--size-min" || a == "--size-max") {
            const char* v = value();
            int64_t n = 0;
            if (!v || !ReadCount(v, n)) return UsageError("a size is a number of bytes");
            (a == "--size-min" ? sizeMin : sizeMax) = n;
            (a == "--size-min" ? hasMin : hasMax) = true;
        } else if (a == "--date-from" || a == "--date-to") {
            const char* v = value();
            QDate d;
            if (!v || !ReadDate(v, d)) return UsageError("a date is written YYYY-MM-DD");
            (a == "--date-from" ? from : to) = d;
            (a == "--date-from" ? hasFrom : hasTo) = true;
        } else if (a == "--files" || a == "--folders" || a == "--disks") {
            kindGiven = true;
            (a == "--files" ? files : a == "--folders" ? folders : disks) = true;
        } else if (a == "--no-archives") {
            c.SearchForCompressed = true;
        } else if (a == "--limit") {
            const char* v = value();
            int64_t n = 0;
            if (!v || !ReadCount(v, n) || n < 1 || n > 9999) return UsageError("--limit is 1..9999");
            c.LimitFound = true;
            c.MaxFound = static_cast<int>(n);
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(("unknown option " + a).c_str());
        } else {
            p.Files.push_back(a);
        }
    }
    if (p.Files.empty()) return UsageError();
    if (kindGiven) {
        c.SearchForFiles = files;
        c.SearchForFolders = folders;
        c.SearchForDisks = disks;
    }
    if (hasMin || hasMax) {
        c.BySize = true;
        c.SizeMode = smBetween;
        c.SizeValue1 = QString::number(hasMin ? sizeMin : 0);
        c.SizeUnits1 = suBytes;
        // Without a maximum: as large as the window lets one enter.
        c.SizeValue2 = hasMax ? QString::number(sizeMax) : QStringLiteral("999999999");
        c.SizeUnits2 = hasMax ? suBytes : suGB;
    }
    if (hasFrom || hasTo) {
        c.ByDate = true;
        c.DateField = dfModified;
        c.DateOp = doBetween;
        c.Date1 = hasFrom ? from : QDate(1980, 1, 1);
        c.Date2 = hasTo ? to : QDate(2099, 12, 31);
    }
    NormalizeNamePage(c);
    NormalizeSizePage(c);
    NormalizeDatePage(c);
    return 0;
}

} // namespace

int RunSearch(int argc, char** argv)
{
    TParsed p;
    if (const int status = Parse(argc, argv, p)) return status;
    TRefusingPrompt prompt;
    SetPrompt(&prompt);
    const bool valid = ValidateCriteria(p.Criteria, false);
    SetPrompt(nullptr);
    if (!valid) return 2;

    CatalogReaderEvents().FileListDamaged = [](TTreeNode* owner) {
        std::fprintf(stderr, "%s\n", DamagedListMessage(ItemPath(owner->Data, true, false)).c_str());
    };
    TCatalogTree tree;
    for (const std::string& file : p.Files) {
        try {
            ReadCatalogFile(tree, file);
        } catch (const EInvalidCatalog& e) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
            return 1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "Can't load catalog file %s: %s\n", file.c_str(), e.what());
            return 1;
        }
    }

    TFoundList found(SearchSlot);
    TQueuedSearchHost host;
    TSearchThread search(tree, found, host, p.Criteria, {}, false);
    bool ended = false;
    TSearchOutcome outcome;
    search.Start([&](const TSearchOutcome& o) {
        outcome = o;
        ended = true;
    });
    host.ServeUntil([&] { return ended; });

    for (int i = 0; i < found.Count(); ++i)
        if (TItemRec* item = found.Item(i)) PrintHit(item);
    if (!outcome.Error.empty()) {
        std::fprintf(stderr, "%s\n", outcome.Error.c_str());
        return 1;
    }
    if (found.Count() == 0 && !outcome.Cancelled)
        std::fprintf(stderr, "Sorry, no items were found to match your criteria.\n");
    return 0;
}

} // namespace quorvex::cli
