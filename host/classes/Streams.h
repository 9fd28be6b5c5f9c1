// Streams and whole-file operations.
#pragma once

#include <cstdio>

#include "host/classes/AtomicFile.h"
#include "host/classes/Classes.h"

namespace Glossmith::inline Classes {

// The largest file that is read whole (a form, a translation file, a
// dictionary, a script, settings): 256 MiB unless the environment variable
// GLS_MAX_INPUT_SIZE gives another (bytes, or with a K, M or G suffix) or
// SetMaxInputSize sets it; 0 means no limit.
constexpr Int64 DefaultMaxInputSize = Int64(256) << 20;
Int64 MaxInputSize();
void SetMaxInputSize(Int64 bytes);
// A size as GLS_MAX_INPUT_SIZE and the tools' --max-input-size give it:
// decimal bytes, or with a K, M or G suffix (binary multiples). Raises
// EConvertError naming the text when it is none.
Int64 ParseInputSize(std::string_view text);
// Raises EFOpenError naming the file, its size and the limit when the file is
// larger than MaxInputSize. Nothing of the file is read.
void CheckInputSize(const String& fileName);

// The whole content of a file. Raises EFOpenError naming the file when it
// cannot be opened or read, or when it is larger than MaxInputSize (checked
// before it is read).
String ReadFileToString(const String& fileName);

// Replaces the file with `data` atomically: the data goes to a temporary file
// in the same folder, is flushed to disk, and is renamed over the old file,
// whose permissions it takes. A symbolic link is followed (the link stays).
// A folder, a read-only file or a read-only folder is refused. A write that
// fails leaves the old file whole and no temporary file behind; it raises
// EFCreateError (or EWriteError) naming the file.
void WriteFileAtomically(const String& fileName, std::string_view data);

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  GLS_CLASS(TStream, TObject)
 public:
  virtual Int64 Read(void* buffer, Int64 count) = 0;
  virtual Int64 Write(const void* buffer, Int64 count) = 0;
  virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;
  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Value) { Seek(Value, soBeginning); }
  Int64 Size();
  void ReadBuffer(void* buffer, Int64 count);
  void WriteBuffer(const void* buffer, Int64 count);
};

constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmCreate = 0xFF00;

// A file opened read-only (fmOpenRead) or created for writing (fmCreate).
// Reading is buffered; `Read` gives 0 at the end of the file.
class TFileStream : public TStream {
  GLS_CLASS(TFileStream, TStream)
 public:
  TFileStream(const String& fileName, unsigned mode);
  ~TFileStream() override;
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  const String& FileName() const { return FFileName; }

 private:
  String FFileName;
  std::FILE* FFile = nullptr;
};

// A stream over bytes held in memory.
class TMemoryStream : public TStream {
  GLS_CLASS(TMemoryStream, TStream)
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(String data) : FData(std::move(data)) {}
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  const String& DataString() const { return FData; }
  void Clear() {
    FData.clear();
    FPos = 0;
  }

 private:
  String FData;
  size_t FPos = 0;
};

}  // namespace Glossmith::inline Classes
