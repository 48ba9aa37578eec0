#pragma once
// The runtime's exception family. Messages are UTF-16 like every other text of the
// library; what() gives the same message in UTF-8 for C++ callers and logs.

#include <exception>
#include <string>

namespace corvane {

class Exception : public std::exception {
 public:
  explicit Exception(std::u16string message);
  explicit Exception(std::string_view utf8_message);

  const std::u16string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::u16string message_;
  std::string utf8_;
};

#define CORVANE_EXCEPTION_CLASS(Name, Base) \
  class Name : public Base {                \
   public:                                  \
    using Base::Base;                       \
  }

// A string that is not a number, a date that does not exist, a format whose
// arguments do not fit its placeholders.
CORVANE_EXCEPTION_CLASS(EConvertError, Exception);
// Streams: a short read or write, a file that cannot be opened or created.
CORVANE_EXCEPTION_CLASS(EStreamError, Exception);
CORVANE_EXCEPTION_CLASS(EReadError, EStreamError);
CORVANE_EXCEPTION_CLASS(EWriteError, EStreamError);
CORVANE_EXCEPTION_CLASS(EFOpenError, EStreamError);
CORVANE_EXCEPTION_CLASS(EFCreateError, EStreamError);
// Lists: an index out of range, a duplicate refused, a sorted list changed out of order.
CORVANE_EXCEPTION_CLASS(EListError, Exception);
CORVANE_EXCEPTION_CLASS(EStringListError, EListError);
// A failed call of the operating system, with its error text.
CORVANE_EXCEPTION_CLASS(EOSError, Exception);

#undef CORVANE_EXCEPTION_CLASS

// The operating system's text for an error number (strerror).
std::u16string SysErrorMessage(int error);
// Raises EOSError "System Error.  Code: <n>.\n<text>" for the error number (errno when
// none is given).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(int error);

}  // namespace corvane
