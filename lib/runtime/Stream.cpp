#include "Stream.h"

#include <algorithm>
#include <cstring>

#include "platform/win/CodePage.h"

std::int64_t TStream::Size() {
  const std::int64_t position = Position();
  const std::int64_t size = Seek(0, TSeekOrigin::End);
  Seek(position, TSeekOrigin::Beginning);
  return size;
}

TFileStream::TFileStream(const std::string& FileName) : file_(std::fopen(HostPath(FileName).c_str(), "rb")) {
  if (!file_) throw EFOpenError(FileName);
  // Pictures are read row by row: a buffer of this size takes most of them in one system call.
  std::setvbuf(file_.get(), nullptr, _IOFBF, 1 << 16);
}

std::int32_t TFileStream::Read(void* Buffer, std::int32_t Count) {
  if (Count <= 0) return 0;
  return static_cast<std::int32_t>(std::fread(Buffer, 1, static_cast<std::size_t>(Count), file_.get()));
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == TSeekOrigin::Beginning ? SEEK_SET : Origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
  std::fseek(file_.get(), static_cast<long>(Offset), whence);  // a refused seek leaves the position as it was
  return std::ftell(file_.get());
}

std::int32_t TMemoryStream::Read(void* Buffer, std::int32_t Count) {
  const std::int64_t available = static_cast<std::int64_t>(bytes_.size()) - position_;
  const std::int64_t count = std::clamp<std::int64_t>(Count, 0, std::max<std::int64_t>(available, 0));
  if (count > 0) std::memcpy(Buffer, bytes_.data() + position_, static_cast<std::size_t>(count));
  position_ += count;
  return static_cast<std::int32_t>(count);
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const std::int64_t base = Origin == TSeekOrigin::Beginning ? 0
                            : Origin == TSeekOrigin::Current ? position_
                                                             : static_cast<std::int64_t>(bytes_.size());
  position_ = std::max<std::int64_t>(base + Offset, 0);
  return position_;
}
