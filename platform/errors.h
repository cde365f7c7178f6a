// The system's general error: raised for unexpected failures with a fixed
// message ("Failed on Create OTFF: CreateFile", "装载数据失败...").
#pragma once

#include <exception>
#include <string>

namespace bushou {

class Error : public std::exception {
 public:
  explicit Error(std::u16string message);
  const std::u16string& message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::u16string message_;
  std::string utf8_;
};

}  // namespace bushou
