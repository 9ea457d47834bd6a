// Ejecting drives: one drive or a mask of them, on the NT family through the volume device,
// on the Windows 95 family through the virtual-machine service. Nothing is reported: a drive
// that cannot be ejected stays in place.
#pragma once

#include "ejector/eject_device_port.h"

#include <cstdint>
#include <string>

namespace vandrel {

// Bit n stands for drive letter A + n; all bits set is the all-drives choice.
using DriveMask = std::uint32_t;
constexpr DriveMask kAllDrives = 0xFFFFFFFF;
constexpr int kDriveCount = 26;

// The Windows 95 family's virtual-machine service device.
constexpr char kVwin32Path[] = "\\\\.\\vwin32";

// The platform's DIOC_REGISTERS record, sent to kVwin32Path with control code 1.
struct DiocRegisters {
    std::uint32_t ebx = 0;
    std::uint32_t edx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t eax = 0;
    std::uint32_t edi = 0;
    std::uint32_t esi = 0;
    std::uint32_t flags = 0;
};
static_assert(sizeof(DiocRegisters) == 28);

// The DOS request to eject: device I/O control (AX), generic block device request of category
// disk drive, eject media (CX). The call clears the carry flag when it is carried out.
constexpr std::uint32_t kDosDeviceIoControl = 0x440D;
constexpr std::uint32_t kDosEjectMedia = 0x0849;
constexpr std::uint32_t kCarryFlag = 1;

// "E:\" for drive 5.
std::string DriveRoot(int drive);
// "\\.\E:" for drive 5.
std::string VolumeDevicePath(int drive);
// The DOS generic block device request "eject media" for a drive, carry set beforehand.
DiocRegisters EjectRegisters(int drive);

void EjectDriveMask(EjectDevicePort& devices, DriveMask mask, bool checkMedia);
void EjectDrive(EjectDevicePort& devices, int drive, bool checkMedia);
void SendEjectRequest(EjectDevicePort& devices, int drive);
DriveMask RemovableDriveMask(EjectDevicePort& devices);

} // namespace vandrel
