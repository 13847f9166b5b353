#pragma once
// The media type byte of drives and Disks: 0..9 the DOS device types, 10..15 our own,
// 255 (and anything else) unknown.

#include <QString>

#include <cstdint>

namespace quorvex {

constexpr uint8_t mtFloppy525DD = 0;
constexpr uint8_t mtFloppy525HD = 1;
constexpr uint8_t mtFloppy35DD = 2;
constexpr uint8_t mtFloppy8SD = 3;
constexpr uint8_t mtFloppy8DD = 4;
constexpr uint8_t mtHardDisk = 5;
constexpr uint8_t mtTape = 6;
constexpr uint8_t mtFloppy35HD = 7;
constexpr uint8_t mtOptical = 8;
constexpr uint8_t mtFloppy35EHD = 9;
constexpr uint8_t mtCDROM = 10;
constexpr uint8_t mtNetwork = 11;
constexpr uint8_t mtRamDisk = 12;
constexpr uint8_t mtRemovable = 13;
constexpr uint8_t mtZip100 = 14;
constexpr uint8_t mtJaz1GB = 15;
constexpr uint8_t mtUnknown = 255;

// Display name; "Virtual " in front when kindFlags hold ifVirtualRoot.
QString MediaTypeName(uint8_t mediaType, uint8_t kindFlags = 0);

// Same medium kind: equal, or a generic removable (13) against ZIP (14) or JAZ (15).
bool StrictlyCompatible(uint8_t a, uint8_t b);
// A drive of one type may hold a medium of the other (floppies of one size family).
bool DriveCompatible(uint8_t a, uint8_t b);
// Hard disks, network drives and RAM disks are not changed by the user.
bool IsRemovableMediaType(uint8_t mediaType);
bool IsFloppyMediaType(uint8_t mediaType);

// The media type of a drive. Removable and unclassified drives ask their device once per
// run; the answer is kept for the drive, whatever medium is put in later.
uint8_t DriveMediaType(const QString& drive);
void ClearMediaTypeCache();

// The product-name rule for removable drives that are not floppy drives.
uint8_t RemovableTypeFromProduct(const QString& productId);

} // namespace quorvex
