#pragma once
// Files of the update medium are programDirectory followed by their name. A drive-only
// programDirectory ("A:") means the medium's root, but the platform resolves "A:NAME" against the
// drive's current directory, which browsing on the install-folder page may have moved.

#include <string>

// Points the medium drive's current directory back at its root when programDirectory is drive-only,
// so that programDirectory + name names the medium's file again. Call before each access to the medium.
void AnchorMediaDrive(const std::string& programDirectory);

// The text for the drive-type query: a drive-only programDirectory is asked as its root ("A:\").
std::string DriveTypeQueryPath(const std::string& programDirectory);

bool IsDriveOnly(const std::string& programDirectory);
