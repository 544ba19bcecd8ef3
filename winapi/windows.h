// The few Windows functions the programs call, for a POSIX system.
//
// Same names, same signatures and the same contract as on Windows, so that
// the code above this layer is written once. Only what the programs use is
// here; where a function has modes the programs never use, the header says
// what is left out.
#pragma once

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using PLONG = LONG*;
using LPDWORD = DWORD*;
using LPCSTR = const char*;
using LPSTR = char*;
using LPVOID = void*;
using HANDLE = void*;
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

#define WINAPI
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define OPEN_EXISTING 3u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#define INVALID_SET_FILE_POINTER (static_cast<DWORD>(-1))

// Profile (INI) files. Section and key names match whole, without regard to
// ASCII case, with blanks and tabs around them ignored. Reading with a null
// section or key (the enumerations) is left out: it answers the empty text.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);

// Writes one entry; every other byte of the file stays as it was. The file is
// replaced at once, never seen half-written, and writers in other processes
// wait for each other. Deleting (a null key or value) is left out and answers
// FALSE, and so does a name or value holding CR or LF.
BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName);

// Copies a file byte for byte. The target is replaced at once, so a copy that
// fails leaves an existing target as it was.
BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);

// Opens an existing file (OPEN_EXISTING only; folders, pipes and devices are
// refused, at once). Sharing is an advisory lock: a share mode of 0 takes the
// file exclusively, any other share mode takes it shared; an open that would
// conflict fails at once.
HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                          HANDLE hTemplateFile);

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                            DWORD dwMoveMethod);

BOOL WINAPI CloseHandle(HANDLE hObject);
