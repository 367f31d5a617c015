#pragma once
/* The parameter record and callback contract of the unzip library (libdunzip32.so).
 * Plain C, so that any caller can load the library with dlopen and fill the record.
 *
 * The record is packed and little-endian. Pointer, callback and user-value fields are native
 * pointers: a 32-bit build gives the original 142-byte record, a 64-bit build widens those
 * fields to 8 bytes and the record to 202 bytes. Both layouts are pinned below. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Returns 1 to cancel the run, 0 to go on. */
typedef int (*TDZStatusCallback)(const char* item, int32_t percent, void* user);
/* Returns the answer (RtnResult). */
typedef int (*TDZMessageCallback)(int32_t msgId, int32_t mbType, int32_t p1, int32_t p2, char* lpsz1, char* lpsz2,
                                  void* user);
typedef int (*TDZRenameCallback)(void* dzr, void* user);

#pragma pack(push, 1)
typedef struct UnzipCommand {
    int32_t unzipStructSize;
    int32_t function;
    char* lpszZipFile;
    char* lpszInfoBuffer;
    char* lpszFileSpec;
    int32_t index;
    char* lpszDestination;
    int32_t freshenFlag;
    int32_t updateFlag;
    int32_t overWriteFlag;
    int32_t quietFlag;
    int32_t testFlag;
    int32_t noDirectoryNamesFlag;
    int32_t recurseFlag;
    int32_t noDirectoryItemsFlag;
    TDZStatusCallback lpMinorStatus;
    void* lpMinorUserData;
    TDZStatusCallback lpMajorStatus;
    void* lpMajorUserData;
    int32_t returnCount;
    char* lpszReturnString;
    int32_t bDiagnostic;
    int32_t bLF2CRLFFlag;
    int32_t decryptFlag;
    char* lpszDecryptCode;
    TDZMessageCallback lpMessageDisplay;
    void* lpMessageDisplayData;
    uint16_t wUnzipSubOptions;
    uint8_t reserved[8];
    TDZRenameCallback lpRenameProc;
    void* lpRenameUserData;
    char* lpszExtProgTitle;
    int32_t lResv1;
    int32_t lResv2;
    int32_t lResv3;
} UnzipCommand;

/* The 32-bit record with its pointers as 4-byte slots: the layout every 32-bit caller uses. */
typedef struct UnzipCommand32 {
    int32_t unzipStructSize;
    int32_t function;
    uint32_t lpszZipFile;
    uint32_t lpszInfoBuffer;
    uint32_t lpszFileSpec;
    int32_t index;
    uint32_t lpszDestination;
    int32_t flags[8];
    uint32_t lpMinorStatus;
    uint32_t lpMinorUserData;
    uint32_t lpMajorStatus;
    uint32_t lpMajorUserData;
    int32_t returnCount;
    uint32_t lpszReturnString;
    int32_t flags2[3];
    uint32_t lpszDecryptCode;
    uint32_t lpMessageDisplay;
    uint32_t lpMessageDisplayData;
    uint16_t wUnzipSubOptions;
    uint8_t reserved[8];
    uint32_t lpRenameProc;
    uint32_t lpRenameUserData;
    uint32_t lpszExtProgTitle;
    int32_t lResv[3];
} UnzipCommand32;
#pragma pack(pop)

/* Function codes; this library carries out UNZIP_EXTRACT only. */
enum { UNZIP_EXTRACT = 8 };

/* Message ids of the message callback. */
enum {
    DZ_MSG_QUESTION = 8,   /* lpsz1 the question, lpsz2 the caption; answer 6 yes, 7 no, 2 cancel */
    DZ_MSG_REFUSED = 10,   /* lpsz1 names a member that was not extracted, lpsz2 the reason */
    DZ_MSG_CANCELLED = 11, /* the run was cancelled */
    DZ_MSG_FAILED = 12,    /* lpsz1 names a member that could not be written, lpsz2 the reason:
                              "damaged", or "errno N" with the system's error number */
    DZ_MSG_TEXT = 13,      /* request for text number p1 in lpsz1; answer 1 when supplied */
    DZ_MSG_WRITTEN = 14,   /* lpsz1 names a file that was written (its path), lpsz2 is "new", or
                              "replaced" when it took the place of a file that was there */
    DZ_MSG_FOLDER = 15,    /* lpsz1 names a folder the run made (its path) */
    DZ_MSG_REPLACING = 16  /* lpsz1 names a file about to be replaced (its path): the old one is
                              still there, complete, until this message has returned */
};

/* Text numbers asked for through DZ_MSG_TEXT. */
enum {
    DZ_TEXT_CAPTION = 13,
    DZ_TEXT_WARNING_CAPTION = 14,
    DZ_TEXT_OVERWRITE = 68,
    DZ_TEXT_EXTRACTING = 72,
    DZ_TEXT_OVERWRITE_RO = 128
};

/* Capacity of the lpsz1 buffer of a text request. */
enum { DZ_TEXT_BUFFER = 512 };

/* Results; 0 is success. */
enum {
    DZ_OK = 0,
    DZ_ERR_PARAMS = 1,   /* a bad record or an unsupported function */
    DZ_ERR_ARCHIVE = 2,  /* the archive is missing or corrupt */
    DZ_ERR_CANCELLED = 3,
    DZ_ERR_REFUSED = 4,  /* a member was refused (unsafe name, link, size) */
    DZ_ERR_WRITE = 5     /* a member could not be written */
};

int dunzip(UnzipCommand* command);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#define DZ_STATIC_ASSERT static_assert
#else
#define DZ_STATIC_ASSERT _Static_assert
#endif

DZ_STATIC_ASSERT(sizeof(UnzipCommand32) == 142, "32-bit record size");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, lpszZipFile) == 8, "32-bit zip file");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, index) == 20, "32-bit index");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, flags) == 28, "32-bit flags");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, lpMinorStatus) == 60, "32-bit minor callback");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, returnCount) == 76, "32-bit return count");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, flags2) == 84, "32-bit second flags");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, lpMessageDisplay) == 100, "32-bit message callback");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, wUnzipSubOptions) == 108, "32-bit sub-options");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, reserved) == 110, "32-bit reserved");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, lpRenameProc) == 118, "32-bit rename callback");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, lpszExtProgTitle) == 126, "32-bit program title");
DZ_STATIC_ASSERT(offsetof(UnzipCommand32, lResv) == 130, "32-bit pass-through values");

#if UINTPTR_MAX == 0xFFFFFFFFu
DZ_STATIC_ASSERT(sizeof(UnzipCommand) == 142, "native 32-bit record matches");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpRenameProc) == 118, "native 32-bit rename callback");
#else
DZ_STATIC_ASSERT(sizeof(UnzipCommand) == 202, "64-bit record size");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, function) == 4, "64-bit function");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpszZipFile) == 8, "64-bit zip file");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpszInfoBuffer) == 16, "64-bit info buffer");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpszFileSpec) == 24, "64-bit file spec");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, index) == 32, "64-bit index");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpszDestination) == 36, "64-bit destination");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, freshenFlag) == 44, "64-bit flags");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpMinorStatus) == 76, "64-bit minor callback");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpMinorUserData) == 84, "64-bit minor user value");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpMajorStatus) == 92, "64-bit major callback");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpMajorUserData) == 100, "64-bit major user value");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, returnCount) == 108, "64-bit return count");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpszReturnString) == 112, "64-bit return string");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, bDiagnostic) == 120, "64-bit second flags");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpszDecryptCode) == 132, "64-bit decrypt code");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpMessageDisplay) == 140, "64-bit message callback");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpMessageDisplayData) == 148, "64-bit message user value");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, wUnzipSubOptions) == 156, "64-bit sub-options");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, reserved) == 158, "64-bit reserved");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpRenameProc) == 166, "64-bit rename callback");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpRenameUserData) == 174, "64-bit rename user value");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lpszExtProgTitle) == 182, "64-bit program title");
DZ_STATIC_ASSERT(offsetof(UnzipCommand, lResv1) == 190, "64-bit pass-through values");
#endif
