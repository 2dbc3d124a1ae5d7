// The file-error messages shown when a book cannot be saved or a quote file cannot be read: one text per
// cause, with %1 standing for the file's path.
#pragma once
#include <string>

#include "book/platform.h"

namespace pel {

// The message for `cause` with %1 replaced by `path`; kNone and kGeneric give the unspecified-error text.
std::string FileErrorText(FileError cause, const std::string& path);

}  // namespace pel
