// Gives a drive letter a type in Wine's drive configuration for the span of a test, through
// Wine's mount manager (what its configuration tool uses), so that it takes effect at once.
#pragma once

#include "tests/win_support/wine_paths.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

namespace vandrel {

class WineDrive {
  public:
    // type: DRIVE_REMOVABLE or DRIVE_CDROM; folder: a Unix folder the drive shows.
    WineDrive(char letter, UINT type, const std::string& folder) : letter_(letter) {
        defined_ = define(type, folder);
    }
    ~WineDrive() {
        if (defined_)
            define(DRIVE_NO_ROOT_DIR, "");
    }
    WineDrive(const WineDrive&) = delete;
    WineDrive& operator=(const WineDrive&) = delete;

    bool defined() const { return defined_; }

    // A folder for test drives to show. It must not hold the build tree: Wine names a file by
    // the drive whose folder holds it most closely, so a drive on an ancestor of the tree
    // (such as /tmp) would rename the programs under test while it exists.
    static std::string mediumFolder() {
        const char* folder = "C:\\marlwick test medium";
        CreateDirectoryA(folder, nullptr);
        return wintest::unixPathOf(folder);
    }

  private:
    // Wine's own request record (its mount manager's "define Unix drive").
    struct UnixDrive {
        ULONG size;
        ULONG type;
        ULONG fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset;
        USHORT deviceOffset;
        USHORT labelOffset;
    };

    bool define(UINT type, const std::string& folder) {
        const DWORD ioctlDefineUnixDrive =
            CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        std::vector<char> request(sizeof(UnixDrive) + folder.size() + 1, '\0');
        UnixDrive drive{};
        drive.size = static_cast<ULONG>(request.size());
        drive.type = type;
        drive.letter = static_cast<WCHAR>(letter_ | 0x20);
        drive.mountPointOffset = folder.empty() ? 0 : sizeof(UnixDrive);
        std::memcpy(request.data(), &drive, sizeof drive);
        std::memcpy(request.data() + sizeof drive, folder.c_str(), folder.size());

        const HANDLE manager =
            CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE)
            return false;
        DWORD returned = 0;
        const BOOL done =
            DeviceIoControl(manager, ioctlDefineUnixDrive, request.data(),
                            static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
        CloseHandle(manager);
        return done != FALSE;
    }

    char letter_;
    bool defined_ = false;
};

} // namespace vandrel
