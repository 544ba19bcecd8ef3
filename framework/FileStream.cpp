#include <windows.h>

#include "Classes.h"
#include "SysUtils.h"
#include "Texts.h"

namespace {

DWORD ShareModeOf(unsigned mode) {
  if (mode & fmShareDenyNone) return FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (mode & fmShareDenyWrite) return FILE_SHARE_READ;
  return 0;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode)
    : fileName_(fileName),
      handle_(CreateFileA(fileName.c_str(), GENERIC_READ, ShareModeOf(mode), nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (handle_ == INVALID_HANDLE_VALUE) throw EFOpenError(Format(texts::FileOpenError, fileName));
}

TFileStream::~TFileStream() { CloseHandle(handle_); }

std::int64_t TFileStream::Seek(std::int64_t offset) {
  LONG high = static_cast<LONG>(offset >> 32);
  const DWORD low =
      SetFilePointer(handle_, static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN);
  return (static_cast<std::int64_t>(high) << 32) | low;
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  DWORD got = 0;
  if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr))
    throw EReadError(Format(texts::FileReadError, fileName_));
  return got;
}
