#include "extract/ExtractMessages.h"

#include <initializer_list>

namespace quorvex
{

namespace
{

struct TMessageRow {
    std::initializer_list<int> Codes;
    const char* Text;
};

const TMessageRow MessageRows[] = {
    {{25108, 25109, 25110, 25111, 25112, 25113, 25116, 25118, 25135, 25137, 25138, 25140, 25145,
      25157, 25192},
     "An error was encountered while trying to extract files from \rarchive. The archive file is "
     "not supported or damaged."},
    {{25114, 25115}, "An error has occurred while trying to write extracted file."},
    {{25117, 25136}, "CRC check has failed. Archive file may be damaged."},
    {{25125}, "Disk is full, not enough space to extract files."},
    {{25132, 25134, 25139},
     "Sorry, selected file does not exist any more on the media.\rPlease update data for this "
     "media."},
    {{25148}, "Archive file was compressed with unsupported compression method."},
    {{25150}, "Maximum supported archive volumes (999) has been exceeded."},
    {{25153}, "Out of memory, extraction aborted."},
    {{25163}, "Archive file contains too many nested folders."},
    {{25190}, "Archive file is password protected."},
    {{25196}, "Stack overflow encountred while unpacking."},
    {{25197}, "Error has occurred while reading archive file."},
    {{25200}, "Archive file is using unknown or unsupported compression method."},
    {{25202}, "Unknown file type, file is not a supported archive file."},
    {{25204, 25302}, "This archive file was made by unsupported version of compression program."},
};

} // namespace

QString ExtractErrorMessage(int code)
{
    for (const TMessageRow& row : MessageRows)
        for (int c : row.Codes)
            if (c == code) return QString::fromLatin1(row.Text);
    return QStringLiteral("Unknown error has occurred while uncompressing file(s).");
}

QString LinkInPathMessage(const QString& link, const QString& target)
{
    QString text = QStringLiteral("Files are never extracted through a symbolic link:\r") + link +
                   QStringLiteral(" is a symbolic link");
    if (!target.isEmpty()) text += QStringLiteral(" to ") + target;
    return text + u'.';
}

} // namespace quorvex
