#pragma once
// The report settings kept under the subkey "ReportGen": the page and section settings of the
// report settings dialog, and the choices of the report generator dialog ("Columns",
// "MainSettings", "ReplaceDelimiter").

#include "config/FontRecords.h"

#include <QString>

#include <array>
#include <cstdint>

namespace quorvex {

class ISettingsStore;

inline constexpr char ReportGenKey[] = "ReportGen";

// Colour values as the system keeps them: 0x00BBGGRR, or 0x80000000 + a system colour index.
constexpr uint32_t ColorWhite = 0x00FFFFFFu;
constexpr uint32_t ColorYellow = 0x0000FFFFu;
constexpr uint32_t SystemColorWindowText = 0x80000008u;

// The report sections in their internal order 1..9 (the "SectionColors" order).
enum TReportSection : int {
    rsPageHeader = 1,
    rsReportTitle = 2,
    rsCatalogHeading = 3,
    rsDiskHeading = 4,
    rsFolderHeading = 5,
    rsColumnHeaders = 6,
    rsReportDetails = 7,
    rsSectionSummary = 8,
    rsPageFooter = 9,
};
constexpr int ReportSectionCount = 9;
QString ReportSectionName(int section);    // "Page Header", ...
QString ReportFontValueName(int section);  // "ReportFont" + its digit

enum TReportUnits : int { ruMillimetres = 0, ruInches = 1, ruPixels = 2 };
enum TReportMargin : int { rmTop = 0, rmBottom = 1, rmLeft = 2, rmRight = 3 };
constexpr int ReportPaperIndexCount = 68; // 0 "Default" .. 67 user-defined size

struct TReportSectionSettings {
    TReportFont Font;
    uint32_t BackColor = ColorWhite;
    bool Included = true;
    bool operator==(const TReportSectionSettings&) const = default;
};

struct TReportSettings {
    std::array<TReportSectionSettings, ReportSectionCount> Sections; // section number - 1
    int Units = ruMillimetres;
    std::array<double, 4> Margins = {10.0, 10.0, 10.0, 10.0}; // TReportMargin order, in Units
    uint8_t PaperIndex = 0;
    bool Portrait = false;
    bool IncludeIcons = true;
    QString Printer; // empty: the system's default printer

    // The report layout's design fonts and colours, every section printed.
    static TReportSettings Defaults();
    TReportSectionSettings& Section(int section) { return Sections[size_t(section - 1)]; }
    const TReportSectionSettings& Section(int section) const
    {
        return Sections[size_t(section - 1)];
    }
    bool operator==(const TReportSettings&) const = default;
};

uint32_t EncodeReportSettingsWord(const TReportSettings& settings);
void DecodeReportSettingsWord(uint32_t word, TReportSettings& settings);

// Reads each value by itself over what settings hold; a value missing or of the wrong size
// leaves its setting as it is.
void LoadReportSettings(const ISettingsStore& store, TReportSettings& settings);
bool SaveReportSettings(ISettingsStore& store, const TReportSettings& settings);

// The report generator dialog's own choices.
constexpr int ReportSourceCount = 6;
constexpr int ReportColumnSlotCount = 15;
using TReportColumnSlots = std::array<int8_t, ReportColumnSlotCount>; // +c included, -c not

enum TReportTextLayout : int { tlSpaceAligned = 0, tlTab = 1, tlComma = 2 };

struct TReportGenSettings {
    std::array<TReportColumnSlots, ReportSourceCount> Columns = DefaultColumns();
    uint32_t MainSettings = 7;
    QString ReplaceDelimiter = QStringLiteral("_");

    static std::array<TReportColumnSlots, ReportSourceCount> DefaultColumns();
    bool ToPrinter() const { return MainSettings & 1u; }
    bool ReplaceDelimiterChecked() const { return MainSettings & 2u; }
    TReportTextLayout TextLayout() const;
    bool SortBySource() const { return MainSettings & 0x20u; }
    bool CatalogHeadings() const { return !(MainSettings & 0x40u); }
    bool DiskHeadings() const { return !(MainSettings & 0x80u); }
    bool FolderHeadings() const { return MainSettings & 0x100u; }
    bool operator==(const TReportGenSettings&) const = default;
};

constexpr qsizetype MaxReplaceDelimiterLength = 5;

void LoadReportGenSettings(const ISettingsStore& store, TReportGenSettings& settings);
bool SaveReportGenSettings(ISettingsStore& store, const TReportGenSettings& settings);

} // namespace quorvex
