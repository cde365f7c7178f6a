#include "platform/errors.h"

#include "platform/text.h"

namespace bushou {

Error::Error(std::u16string message)
    : message_(std::move(message)), utf8_(platform::ToUtf8(message_)) {}

}  // namespace bushou
