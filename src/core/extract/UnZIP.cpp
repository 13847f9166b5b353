#include "extract/UnZIP.h"

#include "archive/ArchiveErrors.h"
#include "archive/ByteOrder.h"
#include "decompress/ByteSource.h"
#include "decompress/DecodeErrors.h"
#include "decompress/MethodCodes.h"
#include "decompress/ZipCrypto.h"
#include "extract/MemberListing.h"
#include "platform/NativeNames.h"

namespace quorvex
{

namespace
{

constexpr uint32_t LocalHeaderSignature = 0x04034B50;
constexpr uint32_t Zip250Signature = 0x50000000;
constexpr int64_t CentralHeaderLength = 46;
constexpr int64_t LocalHeaderLength = 30;
constexpr int MaxPasswordAsks = 3;

} // namespace

TUnZIP::TUnZIP()
{
    m_decoderErrorsShown = true;
}

void TUnZIP::ExtractMembers(QFile& archive)
{
    const TMemberListing listing = ListArchiveMembers(ArchiveFile());
    const int64_t base = listing.State.EmbeddedBase > 0 &&
                                 listing.State.StartOffset == listing.State.EmbeddedBase + 1
                             ? listing.State.EmbeddedBase
                             : 0;
    for (const TListedMember& listed : listing.Members) {
        uint8_t central[CentralHeaderLength];
        if (!ReadAt(archive, listed.HeaderPos, central, sizeof central)) Fail(E_READ);
        const uint32_t external = GetU32(central + 38);
        if (external & 0x18) continue; // folders and volume labels
        const int64_t local = base + int64_t(GetU32(central + 42));
        uint8_t header[LocalHeaderLength];
        if (!ReadAt(archive, local, header, sizeof header)) Fail(E_READ);
        const uint32_t signature = GetU32(header);
        if (signature != LocalHeaderSignature && signature != Zip250Signature) {
            Report(E_LOCALHEADER);
            continue;
        }
        const uint16_t flags = GetU16(header + 6);
        TMemberData m;
        m.StoredName = listed.Member.MemberName;
        m.DataPos = local + LocalHeaderLength + GetU16(header + 26) + GetU16(header + 28);
        m.PackedSize = int64_t(GetU32(central + 20));
        m.UnpackedSize = int64_t(GetU32(central + 24));
        m.Method = ZipDecodeMethod(GetU16(central + 10));
        m.ZipFlags = GetU16(central + 8);
        m.Check = TCheckKind::Crc32;
        m.StoredCheck = GetU32(central + 16);
        m.MemberDate = listed.Member.MemberDate;
        m.DosAttributes = external & 0xFF;
        if (m.DataPos > archive.size() || m.PackedSize > archive.size() - m.DataPos) Fail(E_READ);
        m_encrypted = flags & 1;
        // With the sizes after the data the check byte is the high byte of the DOS time.
        m_cryptCheck = (flags & 8) ? header[11] : uint8_t(m.StoredCheck >> 24);
        m_memberName = NameFromNative(m.StoredName);
        ExtractMember(m, archive);
    }
    if (listing.Error) Fail(listing.Error);
    if (m_unpacked == 0) Fail(E_NOTHINGTODO);
}

std::string TUnZIP::FindPassword(const uint8_t* header, uint8_t check, const QString& memberName)
{
    auto fits = [&](const QString& password) {
        TZipCrypto keys(password.toStdString());
        return keys.CheckHeader(header, check);
    };
    for (const QString& password : Passwords)
        if (fits(password)) return password.toStdString();
    if (!OnGetPassword) Fail(E_NOONPASSWORD);
    for (int ask = 0; ask < MaxPasswordAsks; ++ask) {
        QString password;
        bool tryAgain = true;
        OnGetPassword(*this, memberName, password, tryAgain);
        if (fits(password)) {
            Passwords.prepend(password);
            return password.toStdString();
        }
        Report(E_INVALIDPASSWORD);
        if (!tryAgain) break;
    }
    Fail(E_PASSWORDFAILED);
}

int TUnZIP::DecodeMember(const TMemberData& member, QFile& archive, TDecodeSink& sink)
{
    if (!m_encrypted) return TUnBase::DecodeMember(member, archive, sink);
    uint8_t header[TZipCrypto::HeaderSize];
    if (member.PackedSize < int64_t(sizeof header) ||
        !ReadAt(archive, member.DataPos, header, sizeof header))
        return ecReadError;
    const std::string password = FindPassword(header, m_cryptCheck, m_memberName);
    TZipCrypto keys(password);
    keys.CheckHeader(header, m_cryptCheck);
    if (!member.Method) return ecUnsupportedMethod;
    TDeviceSource packed(archive, member.PackedSize - int64_t(sizeof header));
    TDecryptingSource source(packed, keys);
    TDecodeRequest request;
    request.method = *member.Method;
    request.unpackedSize = member.UnpackedSize;
    request.zipFlags = member.ZipFlags;
    return Decompress(request, source, sink);
}

} // namespace quorvex
