#pragma once
// What the search window holds: the values of its criteria controls, as the user set them.
// The snapshot the worker matches with is built from this (SearchSnapshot.h).

#include <QDate>
#include <QString>
#include <QTime>

#include <array>

namespace quorvex {

enum TNameMode { nmPartOfName = 0, nmMask = 1, nmExact = 2, nmExtension = 3, nmFileType = 4 };
enum TAttrIndex { atArchive = 0, atHidden = 1, atSystem = 2, atReadOnly = 3 };
enum TAttrState { asClear = 0, asSet = 1, asIgnore = 2 };
enum TDescChoice { dcAny = 1, dcText = 2, dcWithout = 3 };
// SizeCombo rows after "(none)".
enum TSizeMode { smNone = 0, smEqual = 1, smSmaller = 2, smLarger = 3, smBetween = 4, smNotBetween = 5 };
// DateCombo1 / TimeCombo1 rows after "(none)".
enum TDateField { dfNone = 0, dfCreated = 1, dfModified = 2, dfAccessed = 3 };
// DateCombo2 ("On" ...) and TimeCombo2 ("At" ...).
enum TDateOp { doOn = 0, doBefore = 1, doAfter = 2, doBetween = 3, doNotBetween = 4 };
enum TCombineRule { crAll = 0, crAny = 1 };

struct TSearchCriteria {
    // What to Search for
    bool ByName = false;
    bool ByDesc = false;
    bool ByCategory = false;
    bool BySize = false;
    bool ByDate = false;
    bool SearchForFiles = true;
    bool SearchForFolders = true;
    bool SearchForDisks = true;
    bool SearchForCompressed = false; // "Do not search for" items inside archive files

    // by Name or Type
    int NameMode = nmPartOfName;
    QString NameText;
    QString FileTypeExtensions; // the chosen type's extension list string; empty = none chosen
    QString FileTypeName;
    bool FileCase = false;
    std::array<int, 4> Attr{asIgnore, asIgnore, asIgnore, asIgnore};

    // by Description
    int DescChoice = dcText;
    QString DescText;
    bool DescCase = false;

    // by Item Size
    int SizeMode = smNone;
    QString SizeValue1 = QStringLiteral("0");
    int SizeUnits1 = 0;
    QString SizeValue2 = QStringLiteral("0");
    int SizeUnits2 = 0;
    bool SizeAllowTolerance = false;
    QString SizeValue3 = QStringLiteral("0");
    int SizeUnits3 = 0;

    // by Item Date
    int DateField = dfNone;
    int DateOp = doOn;
    QDate Date1 = QDate::currentDate();
    QDate Date2 = QDate::currentDate();
    bool DateAllowTolerance = false;
    int DateTolerance = 0; // days, 0..99
    int TimeField = dfNone; // Created or Modified only
    int TimeOp = doOn;      // "At"
    QTime Time1 = QTime(0, 0);
    QTime Time2 = QTime(0, 0);
    bool TimeAllowTolerance = false;
    int TimeTolerance = 0; // minutes, 0..999

    // Search Settings
    int CombineRule = crAll;
    bool LimitFound = false;
    int MaxFound = 1000;

    bool NameCaseSensitive() const
    {
        return FileCase && (NameMode == nmPartOfName || NameMode == nmExact);
    }
    bool SecondSizeVisible() const { return SizeMode == smBetween || SizeMode == smNotBetween; }
    bool SecondDateVisible() const { return DateOp == doBetween || DateOp == doNotBetween; }
    bool SecondTimeVisible() const { return TimeOp == doBetween || TimeOp == doNotBetween; }
};

} // namespace quorvex
