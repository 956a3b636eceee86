#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace Platform {

const PathStyle NativePathStyle = PathStyle::Windows;
const char16_t PathSeparator = u'\\';

}  // namespace Platform
