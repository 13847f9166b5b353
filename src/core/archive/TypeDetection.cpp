#include "TypeDetection.h"

#include "ArchiveDates.h"
#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "PeResources.h"
#include "SignatureClassifier.h"
#include "TarHeader.h"

#include "platform/NativeNames.h"

#include <QFileInfo>

#include <cstring>
#include <limits>
#include <vector>

namespace quorvex {

namespace {

constexpr int64_t MaxArchiveBytes = std::numeric_limits<int32_t>::max();
constexpr uint32_t EndOfCentralDirSignature = 0x06054B50;
constexpr uint32_t CentralHeaderSignature = 0x02014B50;

TSignatureResult ClassifyAt(TArchiveSource& src, int64_t offset, TSignatureMode mode)
{
    uint8_t sig[4];
    if (!src.ReadExact(offset, sig, 4)) return {atUnknown, 0};
    return ClassifySignature(sig, mode);
}

bool IsDecimal(const QString& s)
{
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// Archive offsets kept in string resources 1..4 of a self-extracting program.
void SearchStringResources(TArchiveSource& src, TDetection& d)
{
    TPeStringResources resources;
    if (!resources.Open(src)) return;
    for (unsigned id = 1; id <= 4 && d.Type == atUnknown; ++id) {
        const auto text = resources.String(id, 5);
        if (!text || !IsDecimal(*text)) return;
        const int32_t offset = text->toInt();
        if (offset >= d.ArchiveSize) return;
        const TSignatureResult r = ClassifyAt(src, offset, TSignatureMode::Executable);
        d.Type = r.Type;
        if (r.Type == atUnknown || r.Type == atNA) continue;
        d.StartOffset = r.StartOffset > 0 ? r.StartOffset : offset + 1;
        if (IsZipFamily(r.Type)) d.EmbeddedBase = offset;
    }
}

// An archive appended right after the DOS image of the executable.
void SearchDosImageEnd(TArchiveSource& src, const uint8_t header[6], TDetection& d)
{
    const int64_t pages = GetU16(header + 4);
    const int64_t lastPage = GetU16(header + 2);
    int64_t end = (pages - 1) * 512 + lastPage;
    if (end < 0 || end + 4 > d.ArchiveSize) return;
    uint8_t probe[4];
    if (!src.ReadExact(end, probe, 4)) return;
    if (probe[2] == 0x60 && probe[3] == 0xEA) end += 2;
    const TSignatureResult r = ClassifyAt(src, end, TSignatureMode::Executable);
    d.Type = r.Type;
    if (r.Type != atUnknown && r.Type != atNA)
        d.StartOffset = r.StartOffset > 0 ? r.StartOffset : int32_t(end + 1);
}

// A ZIP appended to the executable, found from its end-of-central-directory record.
void SearchZipTail(TArchiveSource& src, int zipCmntBufSize, TDetection& d)
{
    int64_t window = int64_t(zipCmntBufSize) + 23;
    if (d.ArchiveSize < window) window = zipCmntBufSize == 0 ? 23 : d.ArchiveSize - 76;
    if (window < 22 || d.ArchiveSize < window) return;
    std::vector<uint8_t> buf(static_cast<size_t>(window));
    const size_t got = src.ReadAt(d.ArchiveSize - window, buf.data(), buf.size());
    if (got < 22) return;
    for (size_t i = got - 22 + 1; i-- > 0;) {
        if (GetU32(buf.data() + i) != EndOfCentralDirSignature) continue;
        if (i + 22 > got) continue;
        const uint32_t directory = GetU32(buf.data() + i + 16);
        uint8_t central[46];
        if (!src.ReadExact(directory, central, sizeof central) ||
            GetU32(central) != CentralHeaderSignature)
            return;
        d.Type = atZipExe;
        d.StartOffset =
            int32_t(std::min<uint64_t>(uint64_t(GetU32(central + 42)) + 1, MaxArchiveBytes));
        return;
    }
}

void TarTest(TArchiveSource& src, TDetection& d)
{
    uint8_t block[TarBlock];
    if (!src.ReadExact(0, block, TarBlock)) return;
    int64_t start = 0;
    if (block[156] == 'V') {
        start = TarBlock;
        if (!src.ReadExact(start, block, TarBlock)) return;
    }
    if (IsTarHeader(block)) {
        d.Type = atTAR;
        d.StartOffset = int32_t(start + 1);
    }
}

bool HasTarExtension(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    return name.contains(u'.') && name.endsWith(QLatin1String(".TAR"), Qt::CaseInsensitive);
}

} // namespace

uint32_t DosAttributesOf(const QString& fileName)
{
    uint32_t attr = 0x20;
    if (!NativeIsWritable(fileName)) attr |= 0x01;
    if (QFileInfo(fileName).fileName().startsWith(u'.')) attr |= 0x02;
    return attr;
}

TDetection DetectArchiveType(const QString& fileName, int zipCmntBufSize)
{
    TDetection d;
    TArchiveSource src;
    if (!src.Open(fileName)) {
        d.Type = atFileError;
        return d;
    }
    d.ArchiveDate = DosDateTimeOf(NativeModified(fileName));
    d.ArchiveAttr = DosAttributesOf(fileName);
    if (src.Size() > MaxArchiveBytes) { // offsets and sizes are 32-bit
        d.ArchiveSize = int32_t(MaxArchiveBytes);
        d.Type = atFileError;
        return d;
    }
    d.ArchiveSize = int32_t(src.Size());
    uint8_t header[6];
    if (d.ArchiveSize <= 5 || !src.ReadExact(0, header, sizeof header)) {
        d.Type = atFileError;
        return d;
    }
    if (header[0] == 'M' && header[1] == 'Z') {
        d.Type = atUnknown;
        SearchStringResources(src, d);
        if (d.Type == atUnknown) SearchDosImageEnd(src, header, d);
        if (d.Type == atUnknown) SearchZipTail(src, zipCmntBufSize, d);
        if (d.Type == atUnknown || d.Type == atNA) d.StartOffset = 1;
    } else {
        const TSignatureResult r = ClassifySignature(header, TSignatureMode::Plain);
        d.Type = r.Type;
        if (r.StartOffset > 0) d.StartOffset = r.StartOffset;
        if (d.Type == atUnknown && d.ArchiveSize > TarBlock && HasTarExtension(fileName))
            TarTest(src, d);
    }
    return d;
}

} // namespace quorvex
