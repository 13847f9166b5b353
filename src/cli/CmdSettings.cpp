#include "CliCommands.h"

#include "config/ColumnLayouts.h"
#include "config/Options.h"
#include "config/OptionsText.h"
#include "config/ReportStore.h"
#include "config/RevisionCheck.h"
#include "config/WindowRecords.h"
#include "platform/Prompt.h"
#include "platform/SettingsStoreMemory.h"
#include "platform/SettingsStoreQt.h"

#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>

namespace quorvex::cli {

namespace {

void PrintRow(const QString& name, const QString& value, bool isDefault, const QString& location)
{
    std::printf("%s\t%s\t%s\t%s\n", name.toUtf8().constData(), value.toUtf8().constData(),
                isDefault ? "default" : "custom", location.toUtf8().constData());
}

QString BoundsText(const TWindowBounds& b)
{
    return QStringLiteral("left=%1,top=%2,width=%3,height=%4")
        .arg(b.Left).arg(b.Top).arg(b.Width).arg(b.Height);
}

QString LayoutText(const TColumnLayout& layout)
{
    QStringList columns;
    for (int p = 0; p < LayoutColumnCount; ++p)
        columns.append((layout.Shown[size_t(p)] ? QString() : QStringLiteral("-")) +
                       QString::number(layout.Order[size_t(p)]));
    return columns.join(QLatin1Char(','));
}

QString FontText(const TReportFont& font)
{
    QString text = QStringLiteral("%1, %2 pt").arg(font.Name).arg(font.Size);
    const char* const styles[] = {"Bold", "Italic", "Underline", "Strike-out"};
    for (int bit = 0; bit < 4; ++bit)
        if (font.Style & (1 << bit)) text += QStringLiteral(", ") + QLatin1String(styles[bit]);
    return text + QStringLiteral(", color 0x%1").arg(font.Color, 8, 16, QLatin1Char('0'));
}

QString Hex(uint32_t value) { return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0')); }

void PrintOptions(const TOptions& options)
{
    TMemorySettingsStore empty;
    const TOptions fresh(empty, options.Environment());
    const std::vector<TSettingText> values = DescribeOptions(options);
    const std::vector<TSettingText> defaults = DescribeOptions(fresh);
    for (size_t i = 0; i < values.size(); ++i)
        PrintRow(values[i].Name, values[i].Value, values[i].Value == defaults[i].Value,
                 values[i].Location);
}

void PrintRecords(const ISettingsStore& store)
{
    const QString none = QStringLiteral("(not stored)");
    const auto marker = store.ReadBinaryOfSize(QString(), QLatin1String(RevisionMarkerValue), 1);
    PrintRow(QLatin1String(RevisionMarkerValue),
             marker ? QString::number(uint8_t(marker->at(0))) : none, !marker, QString());

    const auto main = LoadMainWindowRecord(store);
    PrintRow(QLatin1String(WindowValues::Main),
             main ? BoundsText(main->Bounds) + QStringLiteral(",tree=%1,view=%2,sort=%3")
                                                   .arg(main->TreeWidth)
                                                   .arg(main->ViewStyle)
                                                   .arg(main->SortByte)
                  : none,
             !main, QString());
    for (const char* name : {WindowValues::Compare, WindowValues::UserList, WindowValues::Search,
                             WindowValues::DescAssist, WindowValues::Viewer}) {
        const auto record = LoadWindowRecord(store, QLatin1String(name));
        PrintRow(QLatin1String(name),
                 record ? BoundsText(record->Bounds) +
                              QStringLiteral(",value=%1").arg(record->Value)
                        : none,
                 !record, QString());
    }

    for (int list = 0; list < ColumnListCount; ++list) {
        const TColumnLayout layout = LoadColumnLayout(store, list);
        PrintRow(ColumnLayoutValueName(list), LayoutText(layout),
                 layout == DefaultColumnLayout(list), QLatin1String(ColumnsKey));
    }

    const QString reportKey = QLatin1String(ReportGenKey);
    const TReportSettings reportDefaults = TReportSettings::Defaults();
    TReportSettings report = reportDefaults;
    LoadReportSettings(store, report);
    const uint32_t reportWord = EncodeReportSettingsWord(report);
    PrintRow(QStringLiteral("Settings"), Hex(reportWord),
             reportWord == EncodeReportSettingsWord(reportDefaults), reportKey);
    PrintRow(QStringLiteral("Printer"), report.Printer, report.Printer.isEmpty(), reportKey);
    const char* const margins[] = {"TopMargin", "BottomMargin", "LeftMargin", "RightMargin"};
    for (int m = 0; m < 4; ++m)
        PrintRow(QLatin1String(margins[m]), QString::number(report.Margins[size_t(m)], 'f', 2),
                 report.Margins[size_t(m)] == reportDefaults.Margins[size_t(m)], reportKey);
    PrintRow(QStringLiteral("PaperSize"), QString::number(report.PaperIndex),
             report.PaperIndex == reportDefaults.PaperIndex, reportKey);
    QStringList colors, defaultColors;
    for (int s = 1; s <= ReportSectionCount; ++s) {
        PrintRow(ReportFontValueName(s), FontText(report.Section(s).Font),
                 report.Section(s).Font == reportDefaults.Section(s).Font,
                 reportKey + QStringLiteral(" (") + ReportSectionName(s) + QLatin1Char(')'));
        colors.append(Hex(report.Section(s).BackColor));
        defaultColors.append(Hex(reportDefaults.Section(s).BackColor));
    }
    PrintRow(QStringLiteral("SectionColors"), colors.join(QLatin1Char(',')),
             colors == defaultColors, reportKey);

    const TReportGenSettings genDefaults;
    TReportGenSettings gen;
    LoadReportGenSettings(store, gen);
    QStringList sources;
    for (const TReportColumnSlots& columnSlots : gen.Columns) {
        QStringList entries;
        for (int8_t slot : columnSlots) entries.append(QString::number(slot));
        sources.append(entries.join(QLatin1Char(',')));
    }
    PrintRow(QStringLiteral("Columns"), sources.join(QLatin1Char(';')),
             gen.Columns == genDefaults.Columns, reportKey);
    PrintRow(QStringLiteral("MainSettings"), Hex(gen.MainSettings),
             gen.MainSettings == genDefaults.MainSettings, reportKey);
    PrintRow(QStringLiteral("ReplaceDelimiter"), gen.ReplaceDelimiter,
             gen.ReplaceDelimiter == genDefaults.ReplaceDelimiter, reportKey);
}

} // namespace

int RunSettings(int argc, char** argv)
{
    QString storeFile;
    QStringList rest;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--store") && i + 1 < argc)
            storeFile = QString::fromLocal8Bit(argv[++i]);
        else
            rest.append(QString::fromLocal8Bit(argv[i]));
    }
    if (rest.size() != 0 && rest.size() != 2) {
        std::fputs("usage: quorvex-cli settings [--store FILE] [NAME VALUE]\n", stderr);
        return 2;
    }
    std::unique_ptr<TQtSettingsStore> store = storeFile.isEmpty()
                                                  ? std::make_unique<TQtSettingsStore>()
                                                  : std::make_unique<TQtSettingsStore>(storeFile);
    if (rest.isEmpty()) {
        const TOptions options(*store);
        PrintOptions(options);
        PrintRecords(*store);
        return 0;
    }

    // Changing a setting writes the store as the program does, so it starts as the program does.
    RunRevisionCheck(*store);
    TOptions options(*store);
    QString error;
    if (!SetOptionFromText(options, rest[0], rest[1], error)) {
        std::fprintf(stderr, "quorvex-cli settings: %s\n", error.toUtf8().constData());
        return 1;
    }
    TConsolePrompt prompt;
    return options.Save(prompt) ? 0 : 1;
}

} // namespace quorvex::cli
