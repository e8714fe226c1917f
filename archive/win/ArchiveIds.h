#pragma once
// String ids of the archive component (res/Archive.rc), from IDS_ARCHIVE_FIRST (3000) upward.
// In the failure texts %1 stands for the archive's file name, %2 for the entry's stored name, %3 for the method.

#define IDS_ARCHIVE_BAD_COMMAND 3000
#define IDS_ARCHIVE_NOT_FOUND 3001
#define IDS_ARCHIVE_CANNOT_READ 3002
#define IDS_ARCHIVE_NOT_LZH 3003
#define IDS_ARCHIVE_BROKEN_HEADER 3004
#define IDS_ARCHIVE_UNSUPPORTED_METHOD 3005
#define IDS_ARCHIVE_UNSAFE_NAME 3006
#define IDS_ARCHIVE_TRUNCATED 3007
#define IDS_ARCHIVE_BROKEN_DATA 3008
#define IDS_ARCHIVE_CRC_ERROR 3009
#define IDS_ARCHIVE_CANNOT_WRITE 3010
#define IDS_ARCHIVE_NO_FOLDER 3011
#define IDS_ARCHIVE_PROGRESS_CAPTION 3012
#define IDS_ARCHIVE_NO_MEMBERS 3013
