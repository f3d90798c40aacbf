// Reading and writing command files line by line for the command file editor.
// Lines are read whole (any length), trimmed of blanks, tabs, CRs and LFs at
// both ends; they are written with CR LF. No character-set conversion: bytes
// are characters. (The script runner reads command files through its own
// stream functions, not through these.)
//
// A save never loses the file: the lines go to a temporary file in the same
// folder, which replaces the original only when every byte has been written
// and flushed to disk. A save that fails or is interrupted leaves the old
// file whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolm {

inline constexpr const char* kCouldNotWriteToFile = "Could not write to file";

// The name without its enclosing double quotes: a name that starts with a
// double quote loses its first and last characters.
std::string UnquotedFileName(std::string_view name);

// "Could not open " + the name in double quotes + CR LF + SysErrorText(error).
std::string CouldNotOpenMessage(const std::string& name, int error);

// A file opened for reading; closed when the reader goes.
class TextFileReader {
 public:
  explicit TextFileReader(const std::string& name);
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // The system's error code of a failed open.
  int OpenError() const { return openError_; }

  // Reads up to and including the next line feed, or to the end of the file.
  // Sets line to what was read, trimmed, and returns the number of bytes
  // consumed: 0 at the end of the file. A read error counts as the end.
  size_t ReadTextLine(std::string& line);

 private:
  bool Fill();

  int fd_ = -1;
  int openError_ = 0;
  char buffer_[65536];
  size_t next_ = 0;
  size_t end_ = 0;
};

// A save in progress: a temporary file beside the target. Commit puts it in
// place of the target; a writer that goes without a successful Commit removes
// its temporary file and leaves the target as it was.
class TextFileWriter {
 public:
  explicit TextFileWriter(const std::string& name);
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // False when the temporary file could not be created; OpenError says why.
  bool IsOpen() const { return fd_ >= 0; }
  int OpenError() const { return openError_; }

  // Writes text + CR LF. Returns the number of bytes written, or -1 after
  // showing the error box "Could not write to file", CR LF and the reason.
  long WriteTextLine(std::string_view text);

  // Flushes the temporary file to disk and renames it over the target; a
  // failure shows the same error box as a failed write. True when the target
  // now holds what was written.
  bool Commit();

 private:
  void ReportWriteFailure(int error);
  // Writes all of data to the temporary file: 0, or the system's error code.
  int Write(std::string_view data);
  void Discard();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  int openError_ = 0;
};

}  // namespace tolm
