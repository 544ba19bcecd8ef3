// File stream of the framework.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Open modes: how the file is opened, and what others may do meanwhile.
enum : unsigned {
  fmOpenRead = 0x0000,
  fmShareExclusive = 0x0010,  // nobody else may open the file
  fmShareDenyWrite = 0x0020,  // others may read it
  fmShareDenyNone = 0x0040,   // others may read and write it
};

// An existing file opened for reading. Construction fails with EFOpenError
// (ファイル %s は開けません, the file's path in place of %s); the file is closed
// when the stream ends.
class TFileStream {
 public:
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream();
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  const std::string& FileName() const { return fileName_; }

  // Moves to `offset` bytes from the start; a position at or past the end is
  // allowed. Returns the new position.
  std::int64_t Seek(std::int64_t offset);

  // Reads up to `count` bytes; fewer only at the end of the file. A failed
  // read throws EReadError.
  std::size_t Read(void* buffer, std::size_t count);

 private:
  std::string fileName_;
  void* handle_;
};
