#include "config/ReportStore.h"

#include "config/Extended80.h"
#include "platform/SettingsStore.h"

#include <cmath>

namespace quorvex {

namespace {

struct TSectionDesign {
    const char* Name;
    int FontDigit;
    const char* Face;
    int Points;
    uint8_t Style;
    uint32_t Back;
};

constexpr TSectionDesign SectionDesigns[ReportSectionCount] = {
    {"Page Header", 1, "Times New Roman", 8, fsItalic, ColorWhite},
    {"Report Title", 2, "Times New Roman", 22, fsBold, ColorWhite},
    {"Catalog Heading", 7, "Arial", 16, fsBold | fsItalic, ColorYellow},
    {"Disk Heading", 8, "Arial", 14, fsBold, ColorWhite},
    {"Folder Heading", 9, "Times New Roman", 10, fsBold, ColorWhite},
    {"Column Headers", 3, "Arial", 10, fsBold | fsItalic, ColorWhite},
    {"Report Details", 4, "Arial", 9, 0, ColorWhite},
    {"Section Summary", 5, "Arial", 9, fsItalic, ColorWhite},
    {"Page Footer", 6, "Arial", 8, 0, ColorWhite},
};

// "Settings" bits of the sections: set = printed for the first four, set = not printed for
// the next four; "Report Details" is always printed.
struct TSectionBit {
    int Section;
    int Bit;
    bool MeansPrinted;
};
constexpr TSectionBit SectionBits[] = {
    {rsPageHeader, 0, true},      {rsReportTitle, 1, true},    {rsSectionSummary, 2, true},
    {rsPageFooter, 3, true},      {rsCatalogHeading, 4, false}, {rsDiskHeading, 5, false},
    {rsFolderHeading, 6, false},  {rsColumnHeaders, 7, false},
};

const char* const MarginNames[4] = {"TopMargin", "BottomMargin", "LeftMargin", "RightMargin"};

const QString Key = QString::fromLatin1(ReportGenKey);
QString Name(const char* name) { return QString::fromLatin1(name); }

} // namespace

QString ReportSectionName(int section)
{
    if (section < 1 || section > ReportSectionCount) return QString();
    return Name(SectionDesigns[section - 1].Name);
}

QString ReportFontValueName(int section)
{
    if (section < 1 || section > ReportSectionCount) return QString();
    return QStringLiteral("ReportFont") + QString::number(SectionDesigns[section - 1].FontDigit);
}

TReportSettings TReportSettings::Defaults()
{
    TReportSettings settings;
    for (int s = 1; s <= ReportSectionCount; ++s) {
        const TSectionDesign& design = SectionDesigns[s - 1];
        TReportSectionSettings& section = settings.Section(s);
        section.Font = TReportFont{SystemColorWindowText, design.Points, design.Style,
                                   Name(design.Face)};
        section.BackColor = design.Back;
        section.Included = true;
    }
    return settings;
}

uint32_t EncodeReportSettingsWord(const TReportSettings& settings)
{
    uint32_t word = 0;
    for (const TSectionBit& b : SectionBits)
        if (settings.Section(b.Section).Included == b.MeansPrinted) word |= 1u << b.Bit;
    if (settings.Portrait) word |= 1u << 8;
    word |= uint32_t(settings.Units & 3) << 9;
    if (!settings.IncludeIcons) word |= 1u << 11;
    return word;
}

void DecodeReportSettingsWord(uint32_t word, TReportSettings& settings)
{
    for (const TSectionBit& b : SectionBits)
        settings.Section(b.Section).Included = bool((word >> b.Bit) & 1u) == b.MeansPrinted;
    settings.Section(rsReportDetails).Included = true;
    settings.Portrait = (word >> 8) & 1u;
    const int units = int((word >> 9) & 3u);
    settings.Units = units <= ruPixels ? units : ruMillimetres;
    settings.IncludeIcons = !((word >> 11) & 1u);
}

void LoadReportSettings(const ISettingsStore& store, TReportSettings& settings)
{
    if (const auto word = store.ReadWord(Key, Name("Settings")))
        DecodeReportSettingsWord(*word, settings);
    if (const auto printer = store.ReadString(Key, Name("Printer"))) settings.Printer = *printer;
    for (int m = 0; m < 4; ++m) {
        const auto bytes = store.ReadBinary(Key, Name(MarginNames[m]));
        const auto margin = bytes ? DecodeExtended80(*bytes) : std::nullopt;
        if (margin && std::isfinite(*margin)) settings.Margins[size_t(m)] = *margin;
    }
    if (const auto paper = store.ReadBinaryOfSize(Key, Name("PaperSize"), 1))
        if (const uint8_t index = uint8_t(paper->at(0)); index < ReportPaperIndexCount)
            settings.PaperIndex = index;
    for (int s = 1; s <= ReportSectionCount; ++s) {
        const auto bytes = store.ReadBinary(Key, ReportFontValueName(s));
        if (const auto font = bytes ? DecodeReportFontRecord(*bytes) : std::nullopt)
            settings.Section(s).Font = *font;
    }
    if (const auto colors = store.ReadBinaryOfSize(Key, Name("SectionColors"), 36))
        for (int s = 1; s <= ReportSectionCount; ++s)
            settings.Section(s).BackColor = BytesWord(colors->mid((s - 1) * 4, 4));
}

bool SaveReportSettings(ISettingsStore& store, const TReportSettings& settings)
{
    bool ok = store.WriteWord(Key, Name("Settings"), EncodeReportSettingsWord(settings));
    ok &= store.WriteString(Key, Name("Printer"), settings.Printer);
    for (int m = 0; m < 4; ++m)
        ok &= store.WriteBinary(Key, Name(MarginNames[m]),
                                EncodeExtended80(settings.Margins[size_t(m)]));
    ok &= store.WriteBinary(Key, Name("PaperSize"), QByteArray(1, char(settings.PaperIndex)));
    QByteArray colors;
    for (int s = 1; s <= ReportSectionCount; ++s) {
        ok &= store.WriteBinary(Key, ReportFontValueName(s),
                                EncodeReportFontRecord(settings.Section(s).Font));
        colors.append(WordBytes(settings.Section(s).BackColor));
    }
    ok &= store.WriteBinary(Key, Name("SectionColors"), colors);
    return ok;
}

std::array<TReportColumnSlots, ReportSourceCount> TReportGenSettings::DefaultColumns()
{
    std::array<TReportColumnSlots, ReportSourceCount> columns{};
    for (TReportColumnSlots& columnSlots : columns)
        for (int k = 0; k < ReportColumnSlotCount; ++k) columnSlots[size_t(k)] = int8_t(k + 1);
    return columns;
}

TReportTextLayout TReportGenSettings::TextLayout() const
{
    if (MainSettings & 0x08u) return tlTab;
    if (MainSettings & 0x10u) return tlComma;
    return tlSpaceAligned;
}

// Slots must name each column 1..15 once, or the report would address columns that do not exist.
static bool ValidSlots(const TReportColumnSlots& columnSlots)
{
    std::array<bool, ReportColumnSlotCount + 1> named{};
    for (int8_t slot : columnSlots) {
        const int column = slot < 0 ? -slot : slot;
        if (column < 1 || column > ReportColumnSlotCount || named[size_t(column)]) return false;
        named[size_t(column)] = true;
    }
    return true;
}

// Exactly one of the three text layouts (bits 2..4) is set; the first one set wins.
static uint32_t WithOneTextLayout(uint32_t word)
{
    const uint32_t layouts = word & 0x1Cu;
    uint32_t keep = 0x04u;
    if (layouts && !(layouts & 0x04u)) keep = layouts & 0x08u ? 0x08u : 0x10u;
    return (word & ~0x1Cu) | keep;
}

void LoadReportGenSettings(const ISettingsStore& store, TReportGenSettings& settings)
{
    if (const auto bytes = store.ReadBinaryOfSize(Key, Name("Columns"), 90)) {
        for (int source = 0; source < ReportSourceCount; ++source) {
            TReportColumnSlots columnSlots{};
            for (int k = 0; k < ReportColumnSlotCount; ++k)
                columnSlots[size_t(k)] = int8_t(bytes->at(source * ReportColumnSlotCount + k));
            if (ValidSlots(columnSlots)) settings.Columns[size_t(source)] = columnSlots;
        }
    }
    if (const auto word = store.ReadWord(Key, Name("MainSettings")))
        settings.MainSettings = WithOneTextLayout(*word);
    if (const auto text = store.ReadString(Key, Name("ReplaceDelimiter")))
        settings.ReplaceDelimiter = text->left(MaxReplaceDelimiterLength);
}

bool SaveReportGenSettings(ISettingsStore& store, const TReportGenSettings& settings)
{
    QByteArray columns;
    for (const TReportColumnSlots& columnSlots : settings.Columns)
        for (int8_t slot : columnSlots) columns.append(char(slot));
    bool ok = store.WriteBinary(Key, Name("Columns"), columns);
    ok &= store.WriteWord(Key, Name("MainSettings"), WithOneTextLayout(settings.MainSettings));
    ok &= store.WriteString(Key, Name("ReplaceDelimiter"),
                            settings.ReplaceDelimiter.left(MaxReplaceDelimiterLength));
    return ok;
}

} // namespace quorvex
