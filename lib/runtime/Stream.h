#pragma once
// The runtime's streams: a file opened for reading, or bytes held in memory, read sequentially
// with seeking. A plain Read delivers what there is; ReadBuffer insists on every byte.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Exception.h"
#include "Object.h"

// A read that could not deliver every byte asked for.
class EReadError : public Exception {
 public:
  EReadError() : Exception("Stream-Read-Fehler") {}
};

// A file that cannot be opened.
class EFOpenError : public Exception {
 public:
  explicit EFOpenError(const std::string& FileName) : Exception("Datei " + FileName + " kann nicht ge\xF6" "ffnet werden") {}
};

enum class TSeekOrigin { Beginning, Current, End };

class TStream : public TObject {
 public:
  ~TStream() noexcept override = default;

  // Reads up to Count bytes and returns how many arrived.
  virtual std::int32_t Read(void* Buffer, std::int32_t Count) = 0;
  // Moves to Offset from Origin, never before the start, and returns the new position.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

  void ReadBuffer(void* Buffer, std::int32_t Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError();
  }
  std::int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  std::int64_t Size();
};

// A file opened for reading; the name is written as the game writes it ("cdu\bpwb.bmp").
class TFileStream : public TStream {
 public:
  explicit TFileStream(const std::string& FileName);

  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

// Bytes held in memory, read like a file.
class TMemoryStream : public TStream {
 public:
  explicit TMemoryStream(std::vector<std::uint8_t> Bytes) : bytes_(std::move(Bytes)) {}

  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

 private:
  std::vector<std::uint8_t> bytes_;
  std::int64_t position_ = 0;
};
